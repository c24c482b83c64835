#include "tools/bgetool/workbook_command.h"

#include <iostream>
#include <string>

#include "grid/xlsx/workbook_export.h"
#include "tools/bgetool/table_session.h"

namespace bgetool {

const std::string_view kWorkbookHelp =
    "usage: bgetool xlsx IN OUT.xlsx\n"
    "Writes the table file IN as a workbook of one sheet that office suites open: the\n"
    "cell texts (texts that are one whole number as numbers, the texts of date-time\n"
    "cells as dates), merged cells, lines, fonts, colours, alignments, pictures,\n"
    "column widths and row heights, the fixed rows and columns as frozen panes and\n"
    "the page margins, orientation, paper, scale and page number.\n";

int runWorkbookExport(std::span<char*> arguments) {
    if (arguments.size() != 2) {
        std::cerr << "bgetool xlsx: IN and OUT are needed (see bgetool xlsx --help)\n";
        return 2;
    }
    std::string input = arguments[0], output = arguments[1];
    TableSession session;
    std::string error;
    if (!session.load(input, error)) {
        std::cerr << "bgetool xlsx: " << error << '\n';
        return 1;
    }
    if (!grid::xlsx::exportWorkbook(session.provider(), output, error)) {
        std::cerr << "bgetool xlsx: " << cannotWrite(output) << ": " << error << '\n';
        return 1;
    }
    return 0;
}

}  // namespace bgetool
