#pragma once

#include <string>
#include <string_view>

namespace bgetool {

// A JSON string literal for GBK text: converted to UTF-8, quotes, backslashes and
// control characters escaped.
std::string jsonString(std::string_view gbk);

}  // namespace bgetool
