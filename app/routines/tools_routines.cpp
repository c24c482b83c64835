// The tools and help menus and their windows.
#include "app/routines/routine.h"
#include "app/window_ids.h"
#include "runtime/window/unit_access.h"

namespace app::routines {

HandlerResult openHelp(const EventArguments&) {
    rt::loadWindow(window_id::HelpDialog, 0, true);
    return {};
}

HandlerResult openAbout(const EventArguments&) {
    rt::loadWindow(window_id::AboutDialog, 0, true);
    return {};
}

// The work of these arrives with the tools and help commands; until then they run and do nothing.
HandlerResult openCalculator(const EventArguments&) { return {}; }
HandlerResult openNotepad(const EventArguments&) { return {}; }
HandlerResult aboutCreated(const EventArguments&) { return {}; }
HandlerResult openHomePage(const EventArguments&) { return {}; }
HandlerResult openContactLink(const EventArguments&) { return {}; }
HandlerResult aboutClose(const EventArguments&) { return {}; }
HandlerResult helpClose(const EventArguments&) { return {}; }
HandlerResult openLessonsLink(const EventArguments&) { return {}; }

}  // namespace app::routines
