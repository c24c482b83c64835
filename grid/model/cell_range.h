#pragma once

#include <cstdint>

namespace grid {

// A rectangle of cells, numbered from 0: first row, first column and the counts.
struct CellRange {
    int32_t row = 0;
    int32_t column = 0;
    int32_t rowCount = 0;
    int32_t columnCount = 0;

    int32_t lastRow() const { return row + rowCount - 1; }
    int32_t lastColumn() const { return column + columnCount - 1; }
    bool isEmpty() const { return rowCount <= 0 || columnCount <= 0; }
    friend bool operator==(const CellRange&, const CellRange&) = default;
};

}  // namespace grid
