#pragma once

#include <span>
#include <string_view>

namespace bgetool {

extern const std::string_view kPdfHelp;

// bgetool pdf IN OUT.pdf: prints a table file into a PDF file with its stored page
// settings. Exit status 0, 1 when the table does not load or the print fails, 2 for
// wrong arguments.
int runPdfPrint(int argc, char** argv, std::span<char*> arguments);

}  // namespace bgetool
