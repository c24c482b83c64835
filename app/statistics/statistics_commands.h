#pragma once

#include <string_view>

#include "app/statistics/arithmetic.h"

namespace app {

// Combines the values of every row of the selection into its free last column, then
// of every column into its free last row; the person marks the place by selecting one
// more, empty, column or row. A selection of one row (column) has only the row
// (column) pass.
void aggregateSelection(Aggregate aggregate);

// Asks for a number and adds it to, subtracts it from, multiplies or divides every
// selected cell by it ("加上", "减去", "乘以", "除以"); each result goes into the cell's
// right neighbour when the last column is free, else into its lower neighbour when
// the last row is free, else into the cell itself.
void applyToSelection(std::string_view word);
// The same with the number already given.
void applyNumberToSelection(std::string_view word, double x);

// Asks for the rounding position, then rounds every selected cell like the above.
void roundSelection();

}  // namespace app
