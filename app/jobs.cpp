// Jobs that only a toolbar entry runs. Their work arrives with the edit and format
// commands; until then they run and do nothing.
#include "app/jobs.h"

namespace app::jobs {

rt::HandlerResult appendRow(const rt::EventArguments&) { return {}; }
rt::HandlerResult equalRowHeights(const rt::EventArguments&) { return {}; }
rt::HandlerResult equalColumnWidths(const rt::EventArguments&) { return {}; }
rt::HandlerResult chooseTextColor(const rt::EventArguments&) { return {}; }
rt::HandlerResult chooseBackColor(const rt::EventArguments&) { return {}; }

}  // namespace app::jobs
