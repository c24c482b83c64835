// CellPropertiesDialog: font, size, style, margin and colours of the selected cells, applied at once.
#include "app/routines/routine.h"

namespace app::routines {

// The work of these arrives with the cell formatting commands; until then they run and do nothing.
HandlerResult cellPropertiesCreated(const EventArguments&) { return {}; }
HandlerResult fontStyleClicked(const EventArguments&) { return {}; }
HandlerResult marginChanged(const EventArguments&) { return {}; }
HandlerResult fontNameSelected(const EventArguments&) { return {}; }
HandlerResult cellPropertiesClose(const EventArguments&) { return {}; }
HandlerResult fontSizeChanged(const EventArguments&) { return {}; }
HandlerResult backColorChosen(const EventArguments&) { return {}; }
HandlerResult textColorChosen(const EventArguments&) { return {}; }

}  // namespace app::routines
