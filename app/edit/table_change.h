#pragma once

namespace app {

// Every command that changed the table ends here: the document is marked modified
// and the table as it is now becomes the newest undo state, so nothing a person did
// is closed away without a question or lost to Undo.
void recordTableChange();
// The table now differs from the file it was last saved to: closing must ask, and a
// recovery copy follows soon.
void markTableModified();
// After a table was loaded over the current one (Open, Open template, Restore
// backup): it becomes the newest undo state without marking the document, so Undo
// steps back to what was there before and Redo comes back to the loaded table. A
// document with unsaved changes keeps them, and its recovery copy follows the table.
void recordLoadedTable();

}  // namespace app
