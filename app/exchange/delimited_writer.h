#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/exchange/delimited_format.h"

namespace app {

// The lines of a table as a delimited GBK text. cellTexts holds rows x columns texts
// in row order, each followed by a NUL byte, as a data source's text block gives them.
// The text keeps the table's shape: the columns run to the last one holding any text
// and every field is followed by the column separator except a line's last one, so
// empty cells keep their places; an empty row inside the table is an empty line, the
// empty rows at its end are left out, and the last line has no row separator after
// it. With quoting, fields holding a separator, a quote or a line break are quoted.
// Nothing when progress asks to stop.
std::optional<std::string> writeDelimited(std::string_view cellTexts, int32_t rows, int32_t columns,
                                          const DelimitedFormat& format, const Progress& progress = {});

}  // namespace app
