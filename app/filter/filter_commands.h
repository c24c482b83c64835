#pragma once

namespace app {

// The buttons of the data filter dialog. Starting keeps the table as it was before
// the first filtering (until an undo), so that undoing puts back exactly that table,
// its size included, wherever the selection is. Both mark the document and record an
// undo state when they change the table. While a database table is shown, starting
// asks before it deletes records, and undoing says that they cannot come back.
void startFiltering();
void undoFiltering();

// A new or opened document has no table from before its filtering: the kept one
// belonged to the document that was shown.
void discardFilterSnapshot();

}  // namespace app
