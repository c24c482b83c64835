#pragma once

#include "runtime/window/event_types.h"

namespace app {

using ToolBarJob = rt::HandlerResult (*)(const rt::EventArguments&);

// The job each toolbar entry runs, by entry index (separators counted); null for
// separators and entries that run nothing.
ToolBarJob mainToolBarJob(int32_t entry);
ToolBarJob formatToolBarJob(int32_t entry);
// The command id of the sub-menu an entry's drop-down arrow pops up, or 0.
int32_t mainToolBarDropDownMenu(int32_t entry);
int32_t formatToolBarDropDownMenu(int32_t entry);

}  // namespace app
