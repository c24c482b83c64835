#include "tools/bgetool/file_export.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "app/exchange/delimited_writer.h"
#include "grid/format/stream_reader.h"
#include "grid/format/table_file.h"

namespace bgetool {
namespace {

grid::ReadError walkTexts(const std::string& path, const grid::CellTextVisitor& visit) {
    return grid::withRegularFile(path, [&visit](const grid::ByteSource& source, uint64_t size) {
        grid::StreamReader reader(source, size);
        return grid::readCellTexts(reader, visit);
    });
}

}  // namespace

std::optional<std::string> exportedText(const std::string& path, const app::DelimitedFormat& format,
                                        grid::ReadError& error) {
    int32_t lastRow = -1;
    int32_t lastColumn = -1;
    error = walkTexts(path, [&](int32_t row, int32_t column, std::string_view text) {
        if (text.empty()) return;
        lastRow = row;
        lastColumn = std::max(lastColumn, column);
    });
    if (error != grid::ReadError::None) return std::nullopt;

    // A row's texts are kept until its last cell is read: the reading's buffer moves on.
    app::DelimitedLines lines(format, lastRow, lastColumn);
    std::vector<std::string> row(static_cast<size_t>(lastColumn + 1));
    std::vector<std::string_view> views(row.size());
    int32_t current = 0;
    auto passRow = [&] {
        std::copy(row.begin(), row.end(), views.begin());
        lines.addRow(views);
        for (std::string& text : row) text.clear();
    };
    error = walkTexts(path, [&](int32_t rowIndex, int32_t column, std::string_view text) {
        if (rowIndex > lastRow) return;
        if (rowIndex != current) {
            passRow();
            current = rowIndex;
        }
        if (column <= lastColumn) row[static_cast<size_t>(column)].assign(text);
    });
    if (error != grid::ReadError::None) return std::nullopt;
    if (lastRow >= 0) passRow();
    return lines.take();
}

}  // namespace bgetool
