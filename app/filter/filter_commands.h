#pragma once

namespace app {

// The buttons of the data filter dialog. Starting keeps the table as it was before
// the first filtering (until an undo), so that undoing puts back exactly that table,
// its size included, wherever the selection is. Both mark the document and record an
// undo state when they change the table.
void startFiltering();
void undoFiltering();

}  // namespace app
