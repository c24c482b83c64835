#include "tools/bgetool/file_export.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "app/exchange/delimited_writer.h"
#include "grid/format/stream_reader.h"
#include "grid/format/table_file.h"

namespace bgetool {
namespace {

grid::ReadError walkTexts(const std::string& path, const grid::CellTextVisitor& visit,
                          const grid::TableFrameVisitor& frame = {}) {
    return grid::withRegularFile(path, [&](const grid::ByteSource& source, uint64_t size) {
        grid::StreamReader reader(source, size);
        return grid::readCellTexts(reader, visit, frame);
    });
}

// Hands the lines writer whole rows: a row's texts are kept until its last cell is
// read, because the reading's buffer moves on.
class RowCollector {
public:
    explicit RowCollector(int32_t lastColumn) : row_(static_cast<size_t>(lastColumn + 1)), views_(row_.size()) {}

    void add(app::DelimitedLines& lines, int32_t rowIndex, int32_t column, std::string_view text) {
        if (rowIndex != current_) {
            pass(lines);
            current_ = rowIndex;
        }
        if (static_cast<size_t>(column) < row_.size()) row_[static_cast<size_t>(column)].assign(text);
    }
    void pass(app::DelimitedLines& lines) {
        std::copy(row_.begin(), row_.end(), views_.begin());
        lines.addRow(views_);
        for (std::string& text : row_) text.clear();
    }

private:
    std::vector<std::string> row_;
    std::vector<std::string_view> views_;
    int32_t current_ = 0;
};

}  // namespace

std::optional<std::string> exportedText(const std::string& path, const app::DelimitedFormat& format,
                                        grid::ReadError& error) {
    // One reading writes every row out to the table's last column while it finds the
    // rows and columns that really hold text. Almost always the last column holds some
    // text, and then the lines through the last row with text are the export; only
    // when it is empty does a second reading write the lines again, that much
    // narrower.
    int32_t lastRow = -1;
    int32_t lastColumn = -1;
    std::optional<app::DelimitedLines> lines;
    std::optional<RowCollector> collector;
    int32_t tableColumns = 0;
    error = walkTexts(
        path,
        [&](int32_t row, int32_t column, std::string_view text) {
            collector->add(*lines, row, column, text);
            if (text.empty()) return;
            lastRow = row;
            lastColumn = std::max(lastColumn, column);
        },
        [&](int32_t rows, int32_t columns) {
            tableColumns = columns;
            lines.emplace(format, rows - 1, columns - 1);
            collector.emplace(columns - 1);
        });
    if (error != grid::ReadError::None) return std::nullopt;
    if (lastRow < 0) return std::string();
    if (lastColumn == tableColumns - 1) {
        collector->pass(*lines);
        return lines->takeThroughLastText();
    }

    app::DelimitedLines narrower(format, lastRow, lastColumn);
    RowCollector rows(lastColumn);
    error = walkTexts(path, [&](int32_t row, int32_t column, std::string_view text) {
        if (row <= lastRow) rows.add(narrower, row, column, text);
    });
    if (error != grid::ReadError::None) return std::nullopt;
    rows.pass(narrower);
    return narrower.take();
}

}  // namespace bgetool
