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

DelimitedLines::DelimitedLines(const DelimitedFormat& format, int32_t lastRow, int32_t lastColumn)
    : format_(format),
      rowSeparator_(format.rowSeparator ? *format.rowSeparator : kWrittenLineBreak),
      lastRow_(lastRow),
      lastColumn_(lastColumn) {}

void DelimitedLines::addRow(std::span<const std::string_view> texts) {
    const size_t width = std::min(texts.size(), static_cast<size_t>(lastColumn_ + 1));
    const bool empty = std::all_of(texts.begin(), texts.begin() + static_cast<std::ptrdiff_t>(width),
                                   [](std::string_view text) { return text.empty(); });
    if (!empty) {
        for (int32_t column = 0; column <= lastColumn_; ++column) {
            if (column > 0) out_ += format_.columnSeparator;
            if (static_cast<size_t>(column) < width) appendField(out_, texts[static_cast<size_t>(column)], format_);
        }
        textEnd_ = out_.size();
    }
    if (row_ < lastRow_) out_ += rowSeparator_;
    ++row_;
}

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

    DelimitedLines lines(format, lastRow, lastColumn);
    std::vector<std::string_view> line(static_cast<size_t>(std::max(columns, 0)));
    TextBlockCursor cursor(cellTexts);
    for (int32_t row = 0; row <= lastRow; ++row) {
        for (std::string_view& text : line) text = cursor.next();
        lines.addRow(line);
        if (progress && (row + 1) % kRowsBetweenProgress == 0 && !progress(row + 1, lastRow + 1)) return std::nullopt;
    }
    return lines.take();
}

}  // namespace app
