// The data filter.
#include "app/filter/filter_commands.h"
#include "app/routines/routine.h"
#include "app/units/dialog_unit.h"
#include "app/window_ids.h"
#include "runtime/window/unit_access.h"

namespace app::routines {

HandlerResult openFilter(const EventArguments&) {
    rt::loadWindow(window_id::FilterDialog, window_id::MainWindow, false);
    return {};
}

// Every condition line starts out keeping what passes its test.
HandlerResult filterCreated(const EventArguments&) {
    for (const char* box : {"组合框1", "组合框2", "组合框3", "组合框4", "组合框5", "组合框6"}) {
        DialogUnit(window_id::FilterDialog, box).selectItem(0);
    }
    return {};
}

HandlerResult startFilter(const EventArguments&) {
    startFiltering();
    return {};
}

HandlerResult undoFilter(const EventArguments&) {
    undoFiltering();
    return {};
}

}  // namespace app::routines
