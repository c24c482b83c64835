#pragma once

#include <cstdint>

#include "grid/model/cell_range.h"
#include "grid/model/data_source.h"

namespace grid {

// The merged block that holds the cell, found by following its merge links left, up,
// right and down; a cell outside every block is a block of its own. A cell that does
// not exist gives an empty range.
CellRange blockOf(const DataSrc& source, int32_t row, int32_t column);

// The range grown until it holds every merged block it touches.
CellRange growToWholeBlocks(const DataSrc& source, CellRange range);

}  // namespace grid
