#include "app/exchange/delimited_writer.h"

#include <algorithm>
#include <vector>

#include "app/units/text_block_cursor.h"

namespace app {
namespace {

constexpr int32_t kRowsBetweenProgress = 8192;

bool needsQuotes(std::string_view field, const DelimitedFormat& format) {
    auto holds = [field](std::string_view part) { return !part.empty() && field.find(part) != std::string_view::npos; };
    return field.find_first_of("\"\r\n") != std::string_view::npos || holds(format.columnSeparator) ||
           holds(format.rowSeparator.value_or(""));
}

void appendField(std::string& out, std::string_view field, const DelimitedFormat& format) {
    if (!format.quoted || !needsQuotes(field, format)) {
        out.append(field);
        return;
    }
    out += '"';
    for (char byte : field) {
        if (byte == '"') out += '"';
        out += byte;
    }
    out += '"';
}

}  // namespace

std::optional<std::string> writeDelimited(std::string_view cellTexts, int32_t rows, int32_t columns,
                                          const DelimitedFormat& format, const Progress& progress) {
    // The extent that holds any text at all, in a first pass over the block: a list of
    // every text would cost a table of a million cells 16 MB of fresh memory.
    int32_t lastRow = -1;
    int32_t lastColumn = -1;
    TextBlockCursor scan(cellTexts);
    for (int32_t row = 0; row < rows; ++row) {
        for (int32_t column = 0; column < columns; ++column) {
            if (!scan.next().empty()) {
                lastRow = row;
                lastColumn = std::max(lastColumn, column);
            }
        }
    }

    const std::string_view rowSeparator = format.rowSeparator ? *format.rowSeparator : kWrittenLineBreak;
    std::string out;
    out.reserve(cellTexts.size() + static_cast<size_t>(lastRow + 1) * static_cast<size_t>(lastColumn + 1) *
                                       format.columnSeparator.size());
    std::vector<std::string_view> line(static_cast<size_t>(std::max(columns, 0)));
    TextBlockCursor cursor(cellTexts);
    for (int32_t row = 0; row <= lastRow; ++row) {
        bool empty = true;
        for (int32_t column = 0; column < columns; ++column) {
            line[static_cast<size_t>(column)] = cursor.next();
            empty = empty && (column > lastColumn || line[static_cast<size_t>(column)].empty());
        }
        if (!empty) {
            for (int32_t column = 0; column <= lastColumn; ++column) {
                if (column > 0) out += format.columnSeparator;
                appendField(out, line[static_cast<size_t>(column)], format);
            }
        }
        if (row < lastRow) out += rowSeparator;
        if (progress && (row + 1) % kRowsBetweenProgress == 0 && !progress(row + 1, lastRow + 1)) return std::nullopt;
    }
    return out;
}

}  // namespace app
