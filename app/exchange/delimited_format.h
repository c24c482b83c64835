#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace app {

// How a table's texts are laid out in a text file: the separator between the fields
// of a line and between lines, and whether fields that hold a separator, a quote or
// a line break go in double quotes (with their quotes doubled).
struct DelimitedFormat {
    std::string columnSeparator = ";";
    std::string rowSeparator = "\r\n";
    bool quoted = false;
};

// Told how far a long read or write has come (in whatever units it counts); false
// asks it to stop.
using Progress = std::function<bool(int64_t done, int64_t total)>;

}  // namespace app
