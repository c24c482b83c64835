// The database commands and the query dialog.
#include "app/routines/routine.h"

namespace app::routines {

// The work of these arrives with the database commands; until then they run and do nothing.
HandlerResult connectDatabase(const EventArguments&) { return {}; }
HandlerResult connectRecentDatabase(const EventArguments&) { return {}; }
HandlerResult disconnectDatabase(const EventArguments&) { return {}; }
HandlerResult openSqlQuery(const EventArguments&) { return {}; }
HandlerResult sqlQueryCreated(const EventArguments&) { return {}; }
HandlerResult sqlQueryCancel(const EventArguments&) { return {}; }
HandlerResult sqlQueryConfirm(const EventArguments&) { return {}; }
HandlerResult fetchTableNames(const EventArguments&) { return {}; }
HandlerResult sqlQueryKey(const EventArguments&) { return {}; }

}  // namespace app::routines
