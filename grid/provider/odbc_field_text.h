#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "grid/model/cell_flags.h"

namespace grid {

// How the external provider turns database fields into cell texts and back, by the
// column's SQL type code (the ODBC 2 date codes 9-11 and their ODBC 3 forms 91-93 are
// both date types, as drivers report either).
InputType inputTypeOfSqlType(int16_t sqlType);
bool isDateSqlType(int16_t sqlType);

// The field's text as a cell shows it: bits as "真"/"假", dates in the editor's
// written form (empty when the driver's text is no date); other texts unchanged.
std::string cellTextOfField(std::string_view field, int16_t sqlType);

// The text to write into a field for what was typed into its cell. Nothing when the
// text cannot be written at all: a date column refuses a text that is no date rather
// than storing some other date in its place.
std::optional<std::string> fieldTextOfCell(std::string_view text, int16_t sqlType);

}  // namespace grid
