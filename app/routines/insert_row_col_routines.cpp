// InsertRowColDialog: rows and columns inserted at the selection.
#include "app/routines/routine.h"

namespace app::routines {

// The work of these arrives with the edit and table commands; until then they run and do nothing.
HandlerResult insertRowColCancel(const EventArguments&) { return {}; }
HandlerResult insertRowColConfirm(const EventArguments&) { return {}; }

}  // namespace app::routines
