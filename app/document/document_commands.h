#pragma once

#include <cstdint>
#include <string_view>

namespace app {

// Exported: the table went out as a workbook, so the document is as unsaved as before.
enum class SaveOutcome { Saved, Exported, Cancelled, Failed };

// Loads a table file as the current document and writes its backup beside it. A file
// that does not load is reported and leaves the current document, and any existing
// backup, as they were.
bool openTableFile(std::string_view path);
// Saves to the current file, or asks for a name when the document has none.
SaveOutcome saveTable();
// Asks for a name (preset to the document name without its extension, so that the
// chosen file type supplies one) and saves there; the document keeps its current
// file and name. A name ending in ".xlsx" exports the table as a workbook instead,
// which leaves the modified mark as it was.
SaveOutcome saveTableAs();
// Before changes would be thrown away: asks whether to save them (Yes/No, or with
// Cancel) and saves on Yes. True when the caller may go on; false when the user
// cancelled (also by Escape or the box's close button), or answered Yes and the
// save did not happen.
bool settleUnsavedChanges(uint32_t buttons);
void saveTemplate();
void openTemplate();
void restoreBackup();
// Gives the grid the keyboard focus: a table just opened or made is typed into at
// once, without a click into it first.
void focusTable();
// A table just opened or made starts at its first cell, whatever cell the previous
// table had, and the status bar shows that cell at once.
void startAtFirstCell();

}  // namespace app
