#pragma once

#include <string>

#include "app/exchange/delimited_format.h"
#include "app/exchange/text_exchange.h"
#include "grid/format/read_error.h"

namespace bgetool {

enum class ExportResult { Written, TableNotRead, TextNotWritten };

// Writes the delimited text of the table file `table` to `textFile`, exactly as the
// editor's export writes it, read straight from the table file without building the
// table and written as it is made: in one reading when the table's last column holds
// text, else a second one writes the narrower text. The text file is replaced only
// when every byte was written; error tells why the table was not read.
ExportResult exportTextFile(const std::string& table, const std::string& textFile, const app::DelimitedFormat& format,
                            app::TextEncoding encoding, grid::ReadError& error);

}  // namespace bgetool
