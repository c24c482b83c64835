#pragma once

#include <cstdint>

namespace grid::odbc {

// The character types of the ODBC API (CHAR, VARCHAR, LONGVARCHAR and their wide
// forms): for these an empty text is an empty string, for every other type NULL.
bool isCharacterType(int16_t sqlType);

}  // namespace grid::odbc
