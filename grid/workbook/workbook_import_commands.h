#pragma once

#include <span>

#include "grid/model/named_command.h"

namespace grid::workbook {

// Opening a workbook in steps, so that the editor can ask which sheet between them:
//   readWorkbook(path, kind): reads the workbook (kind 0 .xlsx, 1 .ods) and keeps it;
//     the result is a WorkbookError as an integer, 0 when it was read.
//   workbookSheetNames(): the kept workbook's sheet names, one per line.
//   workbookLostContent(): what none of its sheets can keep, named and joined by "、".
//   loadWorkbookSheet(dataSource, index): makes the data source's table the sheet at
//     index (from 1) and lets the kept workbook go; a WorkbookError as an integer.
// Paths are GBK texts like every other command's.
std::span<const NamedCommand> workbookImportCommands();

}  // namespace grid::workbook
