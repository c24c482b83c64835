// The file menu's document commands.
#include "app/routines/routine.h"

namespace app::routines {

// The work of these arrives with the document commands; until then they run and do nothing.
HandlerResult newTableFromMenu(const EventArguments&) { return {}; }
HandlerResult openTableFromMenu(const EventArguments&) { return {}; }
HandlerResult saveTableFromMenu(const EventArguments&) { return {}; }
HandlerResult saveTableAsFromMenu(const EventArguments&) { return {}; }
HandlerResult saveTemplate(const EventArguments&) { return {}; }
HandlerResult openTemplate(const EventArguments&) { return {}; }
HandlerResult restoreBackup(const EventArguments&) { return {}; }

}  // namespace app::routines
