#pragma once

#include "runtime/window/event_types.h"

namespace app::jobs {

// Jobs that only a toolbar entry runs (no menu item binds them).
rt::HandlerResult appendRow(const rt::EventArguments& arguments);
rt::HandlerResult equalRowHeights(const rt::EventArguments& arguments);
rt::HandlerResult equalColumnWidths(const rt::EventArguments& arguments);
rt::HandlerResult chooseTextColor(const rt::EventArguments& arguments);
rt::HandlerResult chooseBackColor(const rt::EventArguments& arguments);

}  // namespace app::jobs
