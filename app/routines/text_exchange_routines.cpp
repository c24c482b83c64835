// Text import and export.
#include "app/routines/routine.h"

namespace app::routines {

// The work of these arrives with text import and export; until then they run and do nothing.
HandlerResult importText(const EventArguments&) { return {}; }
HandlerResult exportText(const EventArguments&) { return {}; }
HandlerResult delimiterCreated(const EventArguments&) { return {}; }
HandlerResult delimiterCancel(const EventArguments&) { return {}; }
HandlerResult delimiterConfirm(const EventArguments&) { return {}; }

}  // namespace app::routines
