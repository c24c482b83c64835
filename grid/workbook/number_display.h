#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/value/ole_date.h"

namespace grid::workbook {

// The number format a workbook names by id without writing its code: the common
// number, percent and scientific formats, and the date and time formats as an office
// suite on a Chinese system shows them. Empty for an id without a fixed code (the
// currency and fraction ids among them), which reads as General.
std::string_view builtinNumberFormat(uint32_t id);

struct ShownNumber {
    // The UTF-8 text a number shows under a number format.
    std::string text;
    // Set instead of the text under a date or time format, so that the cell becomes a
    // date; a time of day alone falls on 1899-12-30.
    std::optional<rt::DateParts> date;
};

// A cell's value under its number format code as a workbook's styles hold it
// ("#,##0.00", "0.0%", "yyyy\-mm\-dd", "[$-804]yyyy\"年\"m\"月\"d\"日\"", "General").
// date1904: the workbook counts days from 1904-01-01 instead of 1900-01-01. The code
// comes from an untrusted file: whatever it holds, a code that cannot be shown falls
// back to General, and a value that is not finite shows "#NUM!".
ShownNumber showNumber(double value, std::string_view code, bool date1904 = false);

}  // namespace grid::workbook
