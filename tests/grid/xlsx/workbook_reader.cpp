#include "tests/grid/xlsx/workbook_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "tests/support/temp_dir.h"

WorkbookView readWorkbook(const std::string& path) {
    TempDir directory;
    std::string listing = directory.file("listing");
    std::string command =
        std::string(SYSTEM_PYTHON) + " " + READ_WORKBOOK_SCRIPT + " '" + path + "' >" + listing;
    WorkbookView view;
    if (std::system(command.c_str()) != 0) {
        ADD_FAILURE() << "the reader refused " << path;
        return view;
    }
    std::istringstream lines(readWholeFile(listing));
    std::string line;
    while (std::getline(lines, line)) {
        size_t tab = line.find('\t');
        if (tab == std::string::npos)
            continue;
        std::string& value = view[line.substr(0, tab)];
        if (!value.empty())
            value += "; ";
        value += line.substr(tab + 1);
    }
    return view;
}
