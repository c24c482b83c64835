#pragma once

#include <span>

#include "grid/model/named_command.h"

namespace grid {

// The data-source commands on cells, sizes and structure. The first argument of each
// is the DataSrc unit; rows and columns are numbered from 1; optional arguments that
// are left out take their defaults. Blocks of texts travel as byte sets of NUL-ended
// texts in row order, sets of rows or columns as byte sets of little-endian 32-bit
// numbers. The file and cell-block commands live with the table file format.
std::span<const NamedCommand> dataSourceCommands();

}  // namespace grid
