#pragma once

#include <string>

#include "grid/model/data_provider.h"

namespace grid::xlsx {

// Writes the table as a workbook of one sheet: every cell's text (whole numbers as
// numbers, the texts of date-time cells as dates), its font, colours, alignment and
// lines, merged blocks, pictures, column widths and row heights, the fixed rows and
// columns as frozen panes, and the page settings that workbooks know. The path is the
// file system's own (UTF-8). The previous file of that name survives a failure; the
// message then says why.
bool exportWorkbook(const DataProvider& provider, const std::string& path, std::string& error);

}  // namespace grid::xlsx
