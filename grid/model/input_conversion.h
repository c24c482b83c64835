#pragma once

#include <string>
#include <string_view>

#include "grid/model/cell_flags.h"

namespace grid {

// The text a kind-1 cell stores when t is typed into it with this input type. Numeric
// types take the leading number of t (full-width digits count as digits) and store
// zero as the empty text; the date-time type stores the empty text for anything that
// is not a valid date.
std::string convertByInputType(std::string_view text, InputType type);

// The words that mean true to a logical cell ("真", "1", "true", "t", and the pinyin
// forms), compared without regard to letter case.
bool isLogicalTrueWord(std::string_view text);

}  // namespace grid
