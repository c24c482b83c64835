#pragma once

#include <string>
#include <string_view>

namespace grid::odbc {

// UTF-16 to UTF-8 and back, for the one call that has to go through the narrow
// interface (connecting). A lone surrogate or a broken UTF-8 sequence becomes U+FFFD.
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);

}  // namespace grid::odbc
