#pragma once

#include <functional>
#include <string>
#include <vector>

#include "runtime/value/ole_date.h"

namespace app {

// The texts the insert-time dialog offers, in its order: the runtime's date-time text
// T; T up to its last "分", "时" and "日" (empty when it has none); then T without
// "秒" in seven forms with the Chinese units turned into separators. Each item asks
// the clock again, so items made across a change of second can show different times.
std::vector<std::string> insertTimeForms(const std::function<rt::DateParts()>& clock);

}  // namespace app
