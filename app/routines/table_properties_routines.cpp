// TablePropertiesDialog: the settings of new tables and the sizes of the selected rows and columns.
#include "app/routines/routine.h"

namespace app::routines {

// The work of these arrives with the edit and table commands; until then they run and do nothing.
HandlerResult tablePropertiesCreated(const EventArguments&) { return {}; }
HandlerResult tableLineColorChosen(const EventArguments&) { return {}; }
HandlerResult rowHeightBoxKey(const EventArguments&) { return {}; }
HandlerResult rowHeightBoxSpin(const EventArguments&) { return {}; }
HandlerResult columnWidthBoxKey(const EventArguments&) { return {}; }
HandlerResult columnWidthBoxSpin(const EventArguments&) { return {}; }
HandlerResult tablePropertiesCancel(const EventArguments&) { return {}; }
HandlerResult tablePropertiesConfirm(const EventArguments&) { return {}; }

}  // namespace app::routines
