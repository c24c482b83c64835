// Jobs that only a toolbar entry runs. The colour buttons' work arrives with the
// format commands; until then they run and do nothing.
#include "app/jobs.h"

#include "app/edit/edit_commands.h"

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

rt::HandlerResult chooseTextColor(const rt::EventArguments&) { return {}; }
rt::HandlerResult chooseBackColor(const rt::EventArguments&) { return {}; }

}  // namespace app::jobs
