#pragma once

#include <optional>
#include <string>

#include "app/exchange/delimited_format.h"
#include "grid/format/read_error.h"

namespace bgetool {

// The delimited text of a table file, exactly as the editor's export writes it, read
// straight from the file without building the table, in one reading when the table's
// last column holds text. Nothing, with the reason, when the file does not load.
std::optional<std::string> exportedText(const std::string& path, const app::DelimitedFormat& format,
                                        grid::ReadError& error);

}  // namespace bgetool
