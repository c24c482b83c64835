#pragma once

#include <sql.h>
#include <sqlucode.h>

#include <string>
#include <string_view>

namespace grid::odbc {

// unixODBC's SQLWCHAR is a 16-bit unsigned integer holding UTF-16, so the driver
// manager reads and writes the characters of a std::u16string in place.
static_assert(sizeof(SQLWCHAR) == sizeof(char16_t));

inline SQLWCHAR* sqlText(std::u16string_view text) {
    // The wide functions take non-const pointers although they only read input texts.
    return reinterpret_cast<SQLWCHAR*>(const_cast<char16_t*>(text.data()));
}

inline SQLWCHAR* sqlBuffer(char16_t* buffer) { return reinterpret_cast<SQLWCHAR*>(buffer); }

inline std::u16string_view asText(const SQLWCHAR* text, size_t length) {
    return {reinterpret_cast<const char16_t*>(text), length};
}

}  // namespace grid::odbc
