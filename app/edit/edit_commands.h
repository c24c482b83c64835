#pragma once

namespace app {

// The edit and table commands on the main grid's selection, read afresh by each.
// Every command that changes the table ends by recording the change: the document is
// modified and the table becomes the newest undo state.

// Keeps the selected block for Paste and puts its texts on the desktop clipboard;
// false, after telling the person, when nothing is selected.
bool copySelection();
// Copy, then Clear contents on the same selection (also when Copy found nothing).
void cutSelection();
// Places the copied block once per selected cell, the table growing where it does
// not fit.
void pasteCopiedCells();
// Writes the desktop clipboard's whole text into every selected cell.
void pasteClipboardText();
void clearSelectedContents();
// Empties every cell after the person confirms; formats and sizes stay.
void clearWholeTable();
void mergeSelectedCells();
void splitSelectedCell();
void insertRowAtSelection();
void insertColumnAtSelection();
void appendRow();
void deleteSelectedRows();
void deleteSelectedColumns();
// Gives the selected rows (columns) their average height (width).
void equaliseRowHeights();
void equaliseColumnWidths();
void undoChange();
void redoChange();

}  // namespace app
