// ZoomDialog: the grid's zoom, previewed while the dialog is open.
#include "app/routines/routine.h"

namespace app::routines {

// The work of these arrives with the edit and table commands; until then they run and do nothing.
HandlerResult zoomCreated(const EventArguments&) { return {}; }
HandlerResult zoomCancel(const EventArguments&) { return {}; }
HandlerResult zoomConfirm(const EventArguments&) { return {}; }
HandlerResult zoomCustomKey(const EventArguments&) { return {}; }
HandlerResult zoomStepClicked(const EventArguments&) { return {}; }

}  // namespace app::routines
