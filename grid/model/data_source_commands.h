#pragma once

#include <span>

#include "grid/model/named_command.h"

namespace grid {

// The data-source commands on cells, sizes and structure. The first argument of each
// is the DataSrc unit; rows and columns are numbered from 1; optional arguments that
// are left out take their defaults. The file and cell-block commands live with the
// table file format.
std::span<const NamedCommand> dataSourceCommands();

}  // namespace grid
