#pragma once

#include <span>

#include "grid/model/named_command.h"

namespace grid {

// The external database unit's commands: open (unit, connection text, read-only,
// no-dialog) → logical, getConnectString (unit) → text, close (unit).
std::span<const NamedCommand> odbcDbCommands();

}  // namespace grid
