#pragma once

#include <filesystem>

namespace grid {

// True when the file begins with the table file's four bytes, whatever its name: it
// holds a table that writing something else over it would lose.
bool startsAsTableFile(const std::filesystem::path& path);

}  // namespace grid
