#pragma once

#include <span>
#include <string_view>

namespace bgetool {

extern const std::string_view kConvertHelp;

// bgetool convert IN OUT [--sheet NAME]: reads a table file, a workbook or a CSV file
// and writes it as a table file, a workbook, a PDF or a CSV file, each told by its
// file name's extension. Exit status 0 done (a workbook's content that a table cannot
// hold is a warning), 1 the input does not load or the output cannot be written, 2 a
// malformed argument.
int runConvert(int argc, char** argv, std::span<char*> arguments);

}  // namespace bgetool
