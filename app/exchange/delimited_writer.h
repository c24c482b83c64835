#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/exchange/delimited_format.h"

namespace app {

// The lines of a table as a delimited GBK text. cellTexts holds rows x columns texts
// in row order, each followed by a NUL byte, as a data source's text block gives them.
// The text keeps the table's shape: the columns run to the last one holding any text
// and every field is followed by the column separator except a line's last one, so
// empty cells keep their places; an empty row inside the table is an empty line, the
// empty rows at its end are left out, and the last line has no row separator after
// it. With quoting, fields holding a separator, a quote or a line break are quoted.
// Nothing when progress asks to stop.
std::optional<std::string> writeDelimited(std::string_view cellTexts, int32_t rows, int32_t columns,
                                          const DelimitedFormat& format, const Progress& progress = {});

// The same text built row by row, for a writer that knows the extent beforehand (the
// last row and column holding text, -1 for none) and passes every row up to the last
// in order, from the first column.
class DelimitedLines {
public:
    DelimitedLines(const DelimitedFormat& format, int32_t lastRow, int32_t lastColumn);
    // Texts past the last column are ignored.
    void addRow(std::span<const std::string_view> texts);
    std::string take() { return std::move(out_); }
    // The lines through the last row passed that held text, without the separator and
    // the empty rows after it: what a writer that had been told that row as the last
    // one would have made.
    std::string takeThroughLastText() {
        out_.resize(textEnd_);
        return std::move(out_);
    }
    // The lines made so far through the last row that held text, handed over and let
    // go, for a writer that streams a large text instead of holding it whole. What
    // follows stays: the empty rows after that row may still be the text's end. A
    // byte that may begin a two-byte character stays too, so that the text is cut
    // between characters whatever comes next.
    template <typename Write>
    void drainThroughLastText(Write write) {
        size_t end = textEnd_;
        while (end > 0 && static_cast<unsigned char>(out_[end - 1]) >= 0x81) --end;
        if (end == 0) return;
        write(std::string_view(out_.data(), end));
        out_.erase(0, end);
        textEnd_ -= end;
    }

private:
    const DelimitedFormat& format_;
    std::string_view rowSeparator_;
    int32_t lastRow_;
    int32_t lastColumn_;
    int32_t row_ = 0;
    std::string out_;
    size_t textEnd_ = 0;
};

}  // namespace app
