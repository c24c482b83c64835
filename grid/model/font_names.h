#pragma once

#include <string_view>

namespace grid {

// The font names of all cells, each kept once for the life of the program: a table
// of a million cells names a handful of faces, so a cell holds a pointer to the
// shared name instead of a name field of its own. Safe to call from any thread.
// Returns a NUL-ended copy of name that stays valid until the program ends.
const char* internFontName(std::string_view name);

}  // namespace grid
