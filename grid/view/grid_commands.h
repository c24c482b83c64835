#pragma once

#include <span>

#include "grid/model/named_command.h"

namespace grid {

// The grid unit's commands: getSelectionRow, getSelectionColumn,
// getSelectionRowCount, getSelectionColumnCount and fitToWindowWidth. The first
// argument of each is the grid unit, registered with its GridWidget as the object;
// rows and columns are returned numbered from 1.
std::span<const NamedCommand> gridCommands();

}  // namespace grid
