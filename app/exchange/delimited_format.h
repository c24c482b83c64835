#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// How a table's texts are laid out in a text file: the separator between the fields
// of a line and between lines, and whether fields that hold a separator, a quote or
// a line break go in double quotes (with their quotes doubled).
struct DelimitedFormat {
    std::string columnSeparator = ";";
    // Nothing for a line break: a line read ends at CR LF, LF or a lone CR, whichever
    // the program that wrote the file uses, and a line written ends with CR LF.
    std::optional<std::string> rowSeparator = std::nullopt;
    bool quoted = false;
};

// The line break written where the row separator is a line break.
inline constexpr std::string_view kWrittenLineBreak = "\r\n";

// Told how far a long read or write has come (in whatever units it counts); false
// asks it to stop.
using Progress = std::function<bool(int64_t done, int64_t total)>;

}  // namespace app
