#pragma once

#include <cstdint>

namespace app {

// The buttons of the find and replace dialogs. Both dialogs name their units alike, so
// the find buttons take the dialog whose button was pressed. Each commits an open edit
// first and reads the dialog afresh; an empty text does nothing, a regular expression
// that does not compile is told.

// Moves the current cell to the next match after it (a merged block is one cell),
// going round from the end of the table to its start and saying so in the status bar.
void findNextMatch(uint32_t dialog);
// Makes the first match the current cell and tells how many cells match.
void findAllMatches(uint32_t dialog);

// Replaces in the current cell when it matches, then finds the next match.
void replaceCurrentMatch();
// Replaces in every matching cell of the selection when it holds more than one cell,
// else of the whole table, as one undo step, and tells how many cells changed. On a
// table shown from a database each field is written at once: the person agrees
// first, told how many.
void replaceAllMatches();

}  // namespace app
