#pragma once

namespace app {

// Evaluates the expressions typed into the selected cells. When the selection's
// top-right cell is empty, each result goes into the cell to the right of its
// expression (the last column only receives results); otherwise each cell becomes
// its expression, "=" and the result. Each result is written before the next cell is
// read. A malformed expression leaves its cells as they were.
void computeFormulas();

}  // namespace app
