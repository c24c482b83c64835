#pragma once

#include <string_view>

namespace app {

// Every command that may have changed the table ends here: when it did, the document
// is marked modified and the table as it is now becomes the newest undo state, so
// nothing a person did is closed away without a question or lost to Undo. A command
// that left the table as it was (clearing empty cells, merging one cell, equal sizes
// made equal) is no change: no question on closing, no undo step.
void recordTableChange();
// The same for one of a run of changes that a person makes as one: the keys typed into
// one box of a dialog that applies each at once. While changes come from the same
// source, each replaces the state the previous one recorded.
void recordContinuedChange(std::string_view source);
// The next change starts a step of its own, whatever its source (a dialog opened anew).
void endContinuedChange();
// A change that undo states do not hold (the page settings): the document is marked
// and the history goes on as after any change.
void recordPageSettingsChange();
// The table now differs from the file it was last saved to: closing must ask, and a
// recovery copy follows soon.
void markTableModified();
// After a table was loaded over the current one (Open, Open template, Restore
// backup): it becomes the newest undo state without marking the document, so Undo
// steps back to what was there before and Redo comes back to the loaded table. A
// document with unsaved changes keeps them, and its recovery copy follows the table.
void recordLoadedTable();
// Undo and Redo are offered where there is a state to go to, and never while a
// database table is shown (its edits are written at once and are no undo states):
// for connecting and disconnecting.
void showUndoAvailability();

}  // namespace app
