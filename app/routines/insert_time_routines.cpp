// InsertTimeDialog: the current date and time in one of eleven forms, written into the first selected cell.
#include "app/routines/routine.h"

namespace app::routines {

// The work of these arrives with the cell formatting commands; until then they run and do nothing.
HandlerResult insertTimeCreated(const EventArguments&) { return {}; }
HandlerResult insertTimeConfirm(const EventArguments&) { return {}; }

}  // namespace app::routines
