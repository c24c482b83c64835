#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "grid/model/cell_range.h"
#include "grid/model/data_source.h"

namespace grid {

inline constexpr uint8_t kCellBlockMagic[4] = {'T', 'S', 'm', 'R'};

// The range (validated and clipped as every range command does) as a cell block:
// magic, the clipped counts and the cell records row by row. No bytes when the start
// cell does not exist.
std::vector<uint8_t> encodeCellBlock(const DataSrc& source, const CellRange& range);

struct PasteOptions {
    // Append the rows and columns a block needs beyond the table.
    bool grow = true;
    // The grid's clipboard paste leaves locked cells alone; the command does not.
    bool skipLockedCells = false;
};

struct PasteOutcome {
    bool succeeded = false;
    int32_t rowCount = 0;
    int32_t columnCount = 0;
    bool tableWasReset = false;
};

// Writes a block with its first cell at (row, column), numbered from 0; one past the
// last row or column is a valid start when the table may grow. The target cells keep
// their merge links, so the table's merged blocks stay as they were. A damaged block
// is refused before anything changes.
PasteOutcome pasteCellBlock(DataSrc& source, int32_t row, int32_t column, std::span<const uint8_t> block,
                            const PasteOptions& options);

}  // namespace grid
