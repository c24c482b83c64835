// The edit and table menus, their pop-up twins and their dialogs.
#include "app/edit/edit_commands.h"
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

HandlerResult undo(const EventArguments&) {
    undoChange();
    return {};
}

HandlerResult redo(const EventArguments&) {
    redoChange();
    return {};
}

HandlerResult copyCells(const EventArguments&) {
    copySelection();
    return {};
}

HandlerResult cutCells(const EventArguments&) {
    cutSelection();
    return {};
}

HandlerResult pasteCells(const EventArguments&) {
    pasteCopiedCells();
    return {};
}

HandlerResult pasteText(const EventArguments&) {
    pasteClipboardText();
    return {};
}

HandlerResult clearContents(const EventArguments&) {
    clearSelectedContents();
    return {};
}

HandlerResult clearTable(const EventArguments&) {
    clearWholeTable();
    return {};
}

HandlerResult mergeSelection(const EventArguments&) {
    mergeSelectedCells();
    return {};
}

HandlerResult splitSelection(const EventArguments&) {
    splitSelectedCell();
    return {};
}

HandlerResult insertRow(const EventArguments&) {
    insertRowAtSelection();
    return {};
}

HandlerResult insertColumn(const EventArguments&) {
    insertColumnAtSelection();
    return {};
}

HandlerResult deleteSelectedRows(const EventArguments&) {
    app::deleteSelectedRows();
    return {};
}

HandlerResult deleteSelectedColumns(const EventArguments&) {
    app::deleteSelectedColumns();
    return {};
}

// The grid's pop-up menu offers the same commands.
HandlerResult popupCopy(const EventArguments& arguments) { return copyCells(arguments); }
HandlerResult popupCut(const EventArguments& arguments) { return cutCells(arguments); }
HandlerResult popupPaste(const EventArguments& arguments) { return pasteCells(arguments); }
HandlerResult popupPasteText(const EventArguments& arguments) { return pasteText(arguments); }
HandlerResult popupClear(const EventArguments& arguments) { return clearContents(arguments); }

}  // namespace app::routines
