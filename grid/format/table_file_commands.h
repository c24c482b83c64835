#pragma once

#include <span>

#include "grid/model/named_command.h"

namespace grid {

// saveToFile, loadFromFile, getCellBlock and putCellBlock: the data-source commands
// that read and write the table file and cell blocks.
std::span<const NamedCommand> tableFileCommands();

}  // namespace grid
