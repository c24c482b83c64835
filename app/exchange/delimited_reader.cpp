#include "app/exchange/delimited_reader.h"

#include <algorithm>

#include "app/exchange/split_text.h"

namespace app {
namespace {

constexpr size_t kLinesBetweenProgress = 8192;

class LineCollector {
public:
    explicit LineCollector(size_t textSize) { lines_.fields.reserve(textSize + textSize / 4 + 16); }

    void addField(std::string_view field) {
        lines_.fields.append(field);
        lines_.fields += '\0';
        ++fieldsInLine_;
    }
    void appendToField(std::string_view bytes) { lines_.fields.append(bytes); }
    void endField() {
        lines_.fields += '\0';
        ++fieldsInLine_;
    }
    void endLine() {
        lines_.fieldCounts.push_back(fieldsInLine_);
        lines_.widest = std::max(lines_.widest, fieldsInLine_);
        fieldsInLine_ = 0;
    }
    size_t lineCount() const { return lines_.fieldCounts.size(); }
    TextLines take() { return std::move(lines_); }

private:
    TextLines lines_;
    int32_t fieldsInLine_ = 0;
};

// Copies a quoted field's content into the collector, from just after its opening
// quote; returns the position after the closing quote (the end of the text when it
// never closes).
size_t readQuotedContent(std::string_view text, size_t from, LineCollector& lines) {
    size_t i = from;
    while (i < text.size()) {
        size_t quote = text.find('"', i);
        if (quote == std::string_view::npos) break;
        lines.appendToField(text.substr(i, quote - i));
        if (quote + 1 < text.size() && text[quote + 1] == '"') {
            lines.appendToField("\"");
            i = quote + 2;
        } else {
            return quote + 1;
        }
    }
    lines.appendToField(text.substr(i));
    return text.size();
}

// Where the line going on at `from` ends, and the length of what ends it there (0 at
// the end of the text).
struct LineEnd {
    size_t at;
    size_t length;
};

LineEnd findLineEnd(std::string_view text, size_t from, const std::optional<std::string>& rowSeparator) {
    if (rowSeparator) {
        size_t at = findSeparator(text, from, *rowSeparator);
        return {at, at == text.size() ? 0 : rowSeparator->size()};
    }
    // CR and LF are never the second byte of a double-byte character. (A plain loop:
    // find_first_of looks each byte up in its set, several times slower on big files.)
    auto found = std::find_if(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                              [](char byte) { return byte == '\r' || byte == '\n'; });
    auto at = static_cast<size_t>(found - text.begin());
    if (found == text.end()) return {at, 0};
    return {at, text.substr(at, 2) == "\r\n" ? 2u : 1u};
}

}  // namespace

std::optional<TextLines> readDelimited(std::string_view text, const DelimitedFormat& format,
                                       const Progress& progress) {
    const std::string& columnSeparator = format.columnSeparator;
    LineCollector lines(text.size());
    size_t lineStart = 0;
    while (lineStart < text.size()) {
        LineEnd end = findLineEnd(text, lineStart, format.rowSeparator);
        size_t lineEnd = end.at;
        size_t fieldStart = lineStart;
        while (fieldStart < lineEnd) {
            size_t fieldEnd = 0;
            if (format.quoted && text[fieldStart] == '"') {
                size_t afterQuote = readQuotedContent(text, fieldStart + 1, lines);
                // The quoted content may hold the row separator: the line ends at the
                // first one after the closing quote.
                if (afterQuote > lineEnd) {
                    end = findLineEnd(text, afterQuote, format.rowSeparator);
                    lineEnd = end.at;
                }
                fieldEnd = findSeparator(text.substr(0, lineEnd), afterQuote, columnSeparator);
                lines.appendToField(text.substr(afterQuote, fieldEnd - afterQuote));
                lines.endField();
            } else {
                // Separators are looked for inside the line only, as if it had been cut
                // out of the text first.
                fieldEnd = findSeparator(text.substr(0, lineEnd), fieldStart, columnSeparator);
                lines.addField(text.substr(fieldStart, fieldEnd - fieldStart));
            }
            if (fieldEnd == lineEnd) break;
            fieldStart = fieldEnd + columnSeparator.size();
        }
        lines.endLine();
        lineStart = lineEnd + end.length;
        if (progress && lines.lineCount() % kLinesBetweenProgress == 0 &&
            !progress(static_cast<int64_t>(lineStart), static_cast<int64_t>(text.size()))) {
            return std::nullopt;
        }
    }
    return lines.take();
}

}  // namespace app
