#pragma once

#include <optional>
#include <string_view>

#include "runtime/value/ole_date.h"

namespace grid {

// Reads a date and time as people type it into a date-time cell: full-width forms
// folded, then year, month, day, hour, minute and second, each of at most 4 or 2
// digits and each followed by an optional separator ("-", ".", "/", ":" or the
// matching Chinese unit). Nothing is corrected: a part out of its range, or text left
// over, gives no date.
std::optional<rt::DateParts> parseDateText(std::string_view gbk);

}  // namespace grid
