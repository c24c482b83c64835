#pragma once

#include <span>
#include <string>
#include <string_view>

#include "tools/bgetool/table_session.h"

namespace bgetool {

extern const std::string_view kPdfHelp;

// bgetool pdf IN OUT.pdf: prints a table file into a PDF file with its stored page
// settings. Exit status 0, 1 when the table does not load or the print fails, 2 for
// wrong arguments.
int runPdfPrint(int argc, char** argv, std::span<char*> arguments);

// Prints the session's table into the PDF file OUT with the table's page settings,
// under an application object that lives only as long as the print and needs no
// screen (argc and argv are the program's own). The document is named after the file
// the table came from. False with the reason when the print fails.
bool printToPdf(int argc, char** argv, TableSession& session, const std::string& input, const std::string& output,
                std::string& error);

}  // namespace bgetool
