// PasteWithSymbolsDialog: texts with a counting symbol written into the selected cells.
#include "app/routines/routine.h"

namespace app::routines {

// The work of these arrives with the edit and table commands; until then they run and do nothing.
HandlerResult pasteWithSymbolsCreated(const EventArguments&) { return {}; }
HandlerResult pasteWithSymbolsCancel(const EventArguments&) { return {}; }
HandlerResult pasteWithSymbolsConfirm(const EventArguments&) { return {}; }
HandlerResult symbolKindClicked(const EventArguments&) { return {}; }

}  // namespace app::routines
