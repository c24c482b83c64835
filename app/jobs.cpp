// Jobs that only a toolbar entry runs.
#include "app/jobs.h"

#include "app/edit/edit_commands.h"
#include "app/edit/format_commands.h"

namespace app::jobs {

rt::HandlerResult appendRow(const rt::EventArguments&) {
    app::appendRow();
    return {};
}

rt::HandlerResult equalRowHeights(const rt::EventArguments&) {
    equaliseRowHeights();
    return {};
}

rt::HandlerResult equalColumnWidths(const rt::EventArguments&) {
    equaliseColumnWidths();
    return {};
}

rt::HandlerResult chooseTextColor(const rt::EventArguments&) {
    colorSelectionText();
    return {};
}

rt::HandlerResult chooseBackColor(const rt::EventArguments&) {
    colorSelectionBackground();
    return {};
}

}  // namespace app::jobs
