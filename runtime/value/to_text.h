#pragma once

#include <string>

#include "runtime/value/value.h"

namespace rt {

// The to-text conversion used for every value shown to the user: byte "%u", short and
// integer "%d", long in full, float "%.6g", double "%.13g", logical "真"/"假",
// date-time as a date text, text as itself, a byte set or numeric array as its bytes
// up to the first NUL. Other kinds give the empty text.
std::string textOfValue(const Value& value);

// The same as a new text block owned by the caller; the empty text is null.
char* toText(const Value& value);

}  // namespace rt
