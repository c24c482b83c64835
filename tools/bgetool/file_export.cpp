#include "tools/bgetool/file_export.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "app/exchange/delimited_writer.h"
#include "grid/format/atomic_file.h"
#include "grid/format/stream_reader.h"
#include "grid/format/table_file.h"
#include "runtime/platform/text_file_encoding.h"

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

// The text file as it is written: GBK pieces in the file's encoding, a piece at a
// time, so that a large text never stands whole in memory.
class TextSink {
public:
    TextSink(const std::string& path, app::TextEncoding encoding)
        : file_(path), encoding_(encoding) {
        if (encoding_ == app::TextEncoding::Utf8WithMark) put(rt::kUtf8ByteOrderMark);
    }
    bool isOpen() const { return file_.isOpen(); }
    void write(std::string_view gbk) {
        if (encoding_ == app::TextEncoding::Gbk) {
            put(gbk);
        } else {
            put(app::encodeFileText(gbk, app::TextEncoding::Utf8));
        }
    }
    bool commit() { return file_.commit(); }

private:
    void put(std::string_view bytes) { file_.write({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}); }

    grid::AtomicFile file_;
    app::TextEncoding encoding_;
};

// Lines are handed to the file in pieces of about this size.
constexpr size_t kPieceSize = 1 << 20;

}  // namespace

ExportResult exportTextFile(const std::string& table, const std::string& textFile, const app::DelimitedFormat& format,
                            app::TextEncoding encoding, grid::ReadError& error) {
    // One reading writes every row out to the table's last column while it finds the
    // rows and columns that really hold text. Almost always the last column holds some
    // text, and then the lines through the last row with text are the export; only
    // when it is empty does a second reading write the lines again, that much
    // narrower, into a file begun afresh.
    int32_t lastRow = -1;
    int32_t lastColumn = -1;
    int32_t tableColumns = 0;
    {
        TextSink sink(textFile, encoding);
        if (!sink.isOpen()) return ExportResult::TextNotWritten;
        std::optional<app::DelimitedLines> lines;
        std::optional<RowCollector> collector;
        size_t pending = 0;
        error = walkTexts(
            table,
            [&](int32_t row, int32_t column, std::string_view text) {
                collector->add(*lines, row, column, text);
                pending += text.size() + 1;
                if (pending > kPieceSize) {
                    lines->drainThroughLastText([&sink](std::string_view piece) { sink.write(piece); });
                    pending = 0;
                }
                if (text.empty()) return;
                lastRow = row;
                lastColumn = std::max(lastColumn, column);
            },
            [&](int32_t rows, int32_t columns) {
                tableColumns = columns;
                lines.emplace(format, rows - 1, columns - 1);
                collector.emplace(columns - 1);
            });
        if (error != grid::ReadError::None) return ExportResult::TableNotRead;
        if (lastRow < 0 || lastColumn == tableColumns - 1) {
            if (lastRow >= 0) {
                collector->pass(*lines);
                sink.write(lines->takeThroughLastText());
            }
            return sink.commit() ? ExportResult::Written : ExportResult::TextNotWritten;
        }
    }

    TextSink sink(textFile, encoding);
    if (!sink.isOpen()) return ExportResult::TextNotWritten;
    app::DelimitedLines narrower(format, lastRow, lastColumn);
    RowCollector rows(lastColumn);
    size_t pending = 0;
    error = walkTexts(table, [&](int32_t row, int32_t column, std::string_view text) {
        if (row > lastRow) return;
        rows.add(narrower, row, column, text);
        pending += text.size() + 1;
        if (pending > kPieceSize) {
            narrower.drainThroughLastText([&sink](std::string_view piece) { sink.write(piece); });
            pending = 0;
        }
    });
    if (error != grid::ReadError::None) return ExportResult::TableNotRead;
    rows.pass(narrower);
    sink.write(narrower.take());
    return sink.commit() ? ExportResult::Written : ExportResult::TextNotWritten;
}

}  // namespace bgetool
