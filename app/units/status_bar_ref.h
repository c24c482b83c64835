#pragma once

#include <string>

namespace app {

// The main window's status bar: pane 0 the current cell, pane 1 the selection's size,
// pane 2 what the last file command could not do (empty when it did everything).
void showFileStatus(const std::string& text);
// Panes 0 and 1 from the grid's selection as it is now.
void showCurrentCellStatus();
void showSelectionSizeStatus();
// Pane 2 also says where a find went on from; empty when there is nothing to say.
void showFindStatus(const std::string& text);

}  // namespace app
