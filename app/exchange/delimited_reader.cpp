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

}  // namespace

std::optional<TextLines> readDelimited(std::string_view text, const DelimitedFormat& format,
                                       const Progress& progress) {
    const std::string& columnSeparator = format.columnSeparator;
    const std::string& rowSeparator = format.rowSeparator;
    LineCollector lines(text.size());
    size_t lineStart = 0;
    while (lineStart < text.size()) {
        size_t lineEnd = findSeparator(text, lineStart, rowSeparator);
        size_t fieldStart = lineStart;
        while (fieldStart < lineEnd) {
            size_t fieldEnd = 0;
            if (format.quoted && text[fieldStart] == '"') {
                size_t afterQuote = readQuotedContent(text, fieldStart + 1, lines);
                // The quoted content may hold the row separator: the line ends at the
                // first one after the closing quote.
                if (afterQuote > lineEnd) lineEnd = findSeparator(text, afterQuote, rowSeparator);
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
        lineStart = lineEnd == text.size() ? lineEnd : lineEnd + rowSeparator.size();
        if (progress && lines.lineCount() % kLinesBetweenProgress == 0 &&
            !progress(static_cast<int64_t>(lineStart), static_cast<int64_t>(text.size()))) {
            return std::nullopt;
        }
    }
    return lines.take();
}

}  // namespace app
