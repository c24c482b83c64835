#include "grid/xlsx/workbook_export.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "grid/format/atomic_file.h"
#include "grid/model/picture_format.h"
#include "grid/xlsx/cell_style.h"
#include "grid/xlsx/cell_value.h"
#include "grid/xlsx/worksheet_layout.h"

namespace grid::xlsx {
namespace {

class SheetWriter {
public:
    SheetWriter(lxw_workbook* workbook, lxw_worksheet* sheet, const DataProvider& provider)
        : styles_(workbook), sheet_(sheet), provider_(provider) {}

    void writeCells() {
        for (int32_t row = 0; row < provider_.rowCount(); ++row) {
            for (int32_t column = 0; column < provider_.columnCount(); ++column) {
                if (!provider_.getCell(cell_, row, column, false))
                    continue;
                mergeBlockAt(row, column);
                writeCell(row, column);
            }
            writeRowTexts(row);
        }
    }

private:
    // A block is merged from its top-left cell, before its cells are written, so that
    // each of them then gets its own format (and the first one its value) over the
    // blanks that merging leaves.
    void mergeBlockAt(int32_t row, int32_t column) {
        uint32_t flags = cell_.flags();
        if (flags & (CellFlags::kJoinedLeft | CellFlags::kJoinedAbove))
            return;
        if (!(flags & (CellFlags::kJoinedRight | CellFlags::kJoinedBelow)))
            return;
        int32_t right = column, bottom = row;
        while (right + 1 < provider_.columnCount() &&
               (provider_.cellFlags(row, right) & CellFlags::kJoinedRight))
            ++right;
        while (bottom + 1 < provider_.rowCount() &&
               (provider_.cellFlags(bottom, column) & CellFlags::kJoinedBelow))
            ++bottom;
        if (right == column && bottom == row)
            return;
        // Links of a damaged file may make blocks overlap; the library refuses the
        // second one and its cells stay single.
        worksheet_merge_range(sheet_, rowOf(row), columnOf(column), rowOf(bottom), columnOf(right),
                              "", styles_.formatFor(CellStyle::of(cell_, NumberStyle::General)));
    }

    void writeCell(int32_t row, int32_t column) {
        switch (cell_.kind()) {
            case CellKind::Text:
                writeText(row, column, true);
                break;
            case CellKind::VerbatimText:
                writeText(row, column, false);
                break;
            case CellKind::Picture:
                writePicture(row, column);
                break;
            case CellKind::Binary:
                writeBlank(row, column);
                break;
        }
    }

    void writeText(int32_t row, int32_t column, bool convertible) {
        text_.clear();
        provider_.appendText(text_, row, column);
        if (text_.empty()) {
            writeBlank(row, column);
            return;
        }
        if (convertible && inputTypeOf(cell_.flags()) == InputType::DateTime) {
            if (std::optional<SheetDate> date = sheetDateOf(text_)) {
                NumberStyle style = date->hasTime ? NumberStyle::DateTime : NumberStyle::Date;
                worksheet_write_number(sheet_, rowOf(row), columnOf(column), date->serial,
                                       formatOf(style));
                return;
            }
        }
        if (convertible) {
            if (std::optional<double> number = wholeNumberOf(text_)) {
                worksheet_write_number(sheet_, rowOf(row), columnOf(column), *number,
                                       formatOf(NumberStyle::General));
                return;
            }
        }
        rowTexts_.append(text_).push_back('\0');
        pendingTexts_.push_back({columnOf(column), formatOf(NumberStyle::General)});
    }

    // The texts of a row are converted in one go: each conversion sets up a codec
    // first, which would otherwise cost more than the text itself. A NUL cannot occur
    // inside a cell text, so it parts them on both sides.
    void writeRowTexts(int32_t row) {
        if (pendingTexts_.empty())
            return;
        std::string utf8 = workbookText(rowTexts_);
        const char* next = utf8.c_str();
        for (const PendingText& text : pendingTexts_) {
            std::string_view whole(next);
            std::string_view kept = firstCharacters(whole, kMaxCellCharacters);
            if (kept.size() == whole.size()) {
                worksheet_write_string(sheet_, rowOf(row), text.column, next, text.format);
            } else {
                worksheet_write_string(sheet_, rowOf(row), text.column, std::string(kept).c_str(),
                                       text.format);
            }
            next += whole.size() + 1;
        }
        rowTexts_.clear();
        pendingTexts_.clear();
    }

    void writePicture(int32_t row, int32_t column) {
        writeBlank(row, column);
        Cell withContent;
        if (!provider_.getCell(withContent, row, column, true))
            return;
        std::span<const uint8_t> bytes = withContent.content();
        PictureFormat format = recognisePicture(bytes);
        if (format != PictureFormat::Png && format != PictureFormat::Jpeg &&
            format != PictureFormat::Bitmap && format != PictureFormat::Gif) {
            return;
        }
        // A picture the library cannot read (a bitmap of fewer than 24 bits, say) is
        // left out; the rest of the table is still worth having.
        worksheet_insert_image_buffer(sheet_, rowOf(row), columnOf(column), bytes.data(),
                                      bytes.size());
    }

    void writeBlank(int32_t row, int32_t column) {
        worksheet_write_blank(sheet_, rowOf(row), columnOf(column), formatOf(NumberStyle::General));
    }

    lxw_format* formatOf(NumberStyle number) {
        return styles_.formatFor(CellStyle::of(cell_, number));
    }

    static lxw_row_t rowOf(int32_t row) { return static_cast<lxw_row_t>(row); }
    static lxw_col_t columnOf(int32_t column) { return static_cast<lxw_col_t>(column); }

    struct PendingText {
        lxw_col_t column;
        lxw_format* format;
    };

    StyleBook styles_;
    lxw_worksheet* sheet_;
    const DataProvider& provider_;
    Cell cell_;
    std::string text_;
    std::string rowTexts_;
    std::vector<PendingText> pendingTexts_;
};

// A new, empty file among the temporary files, which the library then writes in full.
std::optional<std::string> newTemporaryFile() {
    std::error_code error;
    std::filesystem::path directory = std::filesystem::temp_directory_path(error);
    if (error)
        return std::nullopt;
    std::string pattern = (directory / "biaoge-workbook-XXXXXX").string();
    int descriptor = mkstemp(pattern.data());
    if (descriptor < 0)
        return std::nullopt;
    close(descriptor);
    return pattern;
}

// The library can only write to a path, so its file is copied to the target the way
// table files are saved: the previous file survives any failure.
bool copyToTarget(const std::string& from, const std::string& path) {
    std::ifstream in(from, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.eof() && in.fail())
        return false;
    AtomicFile target(path);
    if (!target.isOpen())
        return false;
    target.write({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    return target.commit();
}

}  // namespace

bool exportWorkbook(const DataProvider& provider, const std::string& path, std::string& error) {
    // Workbooks hold at most 1,048,576 rows and 16,384 columns.
    if (provider.rowCount() > LXW_ROW_MAX || provider.columnCount() > LXW_COL_MAX) {
        error = "the table has more rows or columns than a workbook holds";
        return false;
    }
    std::optional<std::string> temporary = newTemporaryFile();
    if (!temporary) {
        error = "cannot create a temporary file";
        return false;
    }
    lxw_workbook* workbook = workbook_new(temporary->c_str());
    lxw_worksheet* sheet = workbook ? workbook_add_worksheet(workbook, nullptr) : nullptr;
    if (!sheet) {
        if (workbook)
            workbook_close(workbook);
        std::remove(temporary->c_str());
        error = "out of memory";
        return false;
    }
    writeSheetLayout(sheet, provider);
    writePageSetup(sheet, provider.pageSettings());
    SheetWriter(workbook, sheet, provider).writeCells();
    lxw_error closed = workbook_close(workbook);
    bool copied = closed == LXW_NO_ERROR && copyToTarget(*temporary, path);
    std::remove(temporary->c_str());
    if (closed != LXW_NO_ERROR) {
        error = lxw_strerror(closed);
    } else if (!copied) {
        error = "cannot write the file";
    }
    return copied;
}

}  // namespace grid::xlsx
