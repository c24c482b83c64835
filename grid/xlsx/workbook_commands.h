#pragma once

#include <span>

#include "grid/model/named_command.h"

namespace grid::xlsx {

// exportWorkbook(dataSource, path): writes the data source's table as a workbook;
// true when the file was written. The path is a GBK text like every other command's.
std::span<const NamedCommand> workbookCommands();

}  // namespace grid::xlsx
