#pragma once

#include "grid/model/cell_range.h"

namespace grid {

class GridWidget;

// Makes every grid an accessible table for screen readers. Called once at start-up,
// before the first window is shown.
void installGridAccessibility();

// What the grid tells assistive technology. Each does nothing while no reader
// listens, so a grid without one pays a single test per call.
//
// The current cell became the focused object: the cursor moved, or the grid took
// the keyboard focus.
void announceCurrentCell(GridWidget& grid);
// Texts in the range changed: the cells a reader has seen send what changed.
void announceChangedCells(GridWidget& grid, const CellRange& range);
// Rows or columns came or went, or the table was replaced: the cell objects made so
// far describe cells that moved, so they are dropped.
void forgetAccessibleCells(GridWidget& grid);

}  // namespace grid
