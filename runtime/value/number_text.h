#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// Folds the GBK full-width forms that people type for numbers into ASCII: lead byte
// 0xA3 with trail 0xA1..0xFE becomes (trail & 0x7F), the ideographic space becomes a
// space, "～" becomes "~", "☆" and "★" become "*". Other characters pass unchanged.
std::string foldFullWidth(std::string_view gbk);

// The longest leading decimal number (blanks, sign, digits with an optional point,
// optional exponent) of already folded text; no such prefix gives 0. Words such as
// "inf" or "nan" and hexadecimal forms are not numbers here. An exponent too large
// for a double gives an infinity of the number's sign.
double leadingNumber(std::string_view text);

// Text to double for every cell value: full-width folding, then leadingNumber.
double textToNumber(std::string_view gbk);

// Double to text with "%.13g", independent of the process locale. Infinities are
// written "inf" and "-inf", not-a-number "nan"; textToNumber reads all three as 0.
std::string numberToText(double value);

// Blanks, an optional sign and the leading decimal digits; anything else ends the
// number and no digits give 0. Values beyond the 64-bit range saturate.
int64_t leadingInteger(std::string_view text);

// Text to integer as the application reads numbers typed into dialogs and settings:
// full-width folding, then leadingInteger saturated to the 32-bit range.
int32_t integerOf(std::string_view gbk);

}  // namespace rt
