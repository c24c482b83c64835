#pragma once

namespace app {

// The sort dialog. The rows to sort are the selected rows when the selection spans
// more than one row, else every row below the fixed rows.

// Fills the three key lists with the columns right of the fixed ones, each named by
// its title over the grid and the text of the first row to sort; the second and third
// keys start at none.
void fillSortDialog();
// Sorts by the keys chosen (a key repeating an earlier one adds nothing), records one
// undo step and closes the dialog; a sort the table refuses is told and the dialog
// stays open.
void sortFromDialog();

}  // namespace app
