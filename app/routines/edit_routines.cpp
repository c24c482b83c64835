// The edit and table menus, their pop-up twins and their dialogs.
#include "app/routines/routine.h"
#include "app/window_ids.h"
#include "runtime/window/unit_access.h"

namespace app::routines {

HandlerResult openPasteWithSymbols(const EventArguments&) {
    rt::loadWindow(window_id::PasteWithSymbolsDialog, window_id::MainWindow, false);
    return {};
}

HandlerResult openInsertRowCol(const EventArguments&) {
    rt::loadWindow(window_id::InsertRowColDialog, window_id::MainWindow, false);
    return {};
}

HandlerResult openTableProperties(const EventArguments&) {
    rt::loadWindow(window_id::TablePropertiesDialog, window_id::MainWindow, false);
    return {};
}

HandlerResult openZoom(const EventArguments&) {
    rt::loadWindow(window_id::ZoomDialog, 0, true);
    return {};
}

HandlerResult popupPasteWithSymbols(const EventArguments&) {
    rt::loadWindow(window_id::PasteWithSymbolsDialog, window_id::MainWindow, false);
    return {};
}

// The work of these arrives with the edit and table commands; until then they run and do nothing.
HandlerResult undo(const EventArguments&) { return {}; }
HandlerResult redo(const EventArguments&) { return {}; }
HandlerResult copyCells(const EventArguments&) { return {}; }
HandlerResult cutCells(const EventArguments&) { return {}; }
HandlerResult pasteCells(const EventArguments&) { return {}; }
HandlerResult pasteText(const EventArguments&) { return {}; }
HandlerResult clearContents(const EventArguments&) { return {}; }
HandlerResult clearTable(const EventArguments&) { return {}; }
HandlerResult mergeSelection(const EventArguments&) { return {}; }
HandlerResult splitSelection(const EventArguments&) { return {}; }
HandlerResult insertRow(const EventArguments&) { return {}; }
HandlerResult insertColumn(const EventArguments&) { return {}; }
HandlerResult deleteSelectedRows(const EventArguments&) { return {}; }
HandlerResult deleteSelectedColumns(const EventArguments&) { return {}; }
HandlerResult popupCopy(const EventArguments&) { return {}; }
HandlerResult popupCut(const EventArguments&) { return {}; }
HandlerResult popupPaste(const EventArguments&) { return {}; }
HandlerResult popupPasteText(const EventArguments&) { return {}; }
HandlerResult popupClear(const EventArguments&) { return {}; }

}  // namespace app::routines
