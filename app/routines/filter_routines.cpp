// The data filter.
#include "app/routines/routine.h"
#include "app/window_ids.h"
#include "runtime/window/unit_access.h"

namespace app::routines {

HandlerResult openFilter(const EventArguments&) {
    rt::loadWindow(window_id::FilterDialog, window_id::MainWindow, false);
    return {};
}

// The work of these arrives with the data filter; until then they run and do nothing.
HandlerResult startFilter(const EventArguments&) { return {}; }
HandlerResult undoFilter(const EventArguments&) { return {}; }

}  // namespace app::routines
