#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/exchange/delimited_format.h"

namespace app {

// The lines of a delimited text: every field followed by one NUL byte, all lines one
// after the other, and how many fields each line has. A line may have none: an empty
// line keeps its place.
struct TextLines {
    std::string fields;
    std::vector<int32_t> fieldCounts;
    int32_t widest = 0;
};

// Splits a GBK text into lines at the row separator (at every CR LF, LF and lone CR
// when it is a line break) and each line into fields at the column separator, as
// splitText does at both levels: a separator at the end of the
// text (of a line) leaves no empty last line (field). With quoting, a field that
// starts with a double quote runs to the matching quote, across separators and line
// breaks, with doubled quotes read as one; bytes between its closing quote and the
// next separator still belong to it. Nothing when progress asks to stop.
std::optional<TextLines> readDelimited(std::string_view text, const DelimitedFormat& format,
                                       const Progress& progress = {});

}  // namespace app
