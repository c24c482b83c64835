// Printing.
#include "app/routines/routine.h"

namespace app::routines {

// The work of these arrives with printing; until then they run and do nothing.
HandlerResult printSetup(const EventArguments&) { return {}; }
HandlerResult printPreview(const EventArguments&) { return {}; }
HandlerResult printTable(const EventArguments&) { return {}; }

}  // namespace app::routines
