#pragma once

#include <cstdint>
#include <vector>

#include "grid/model/cell.h"
#include "grid/model/page_settings.h"
#include "grid/model/text_measurer.h"

namespace grid {

// The cells, sizes and page settings of one table in memory. Cell (r, c) is element
// c + r * columnCount. Structural changes keep every slot filled with a cell and
// return false, changing nothing, when the table would exceed the limits or memory
// runs out.
class Table {
public:
    explicit Table(DefaultSizes defaultSizes);

    int32_t rowCount() const { return rowCount_; }
    int32_t columnCount() const { return columnCount_; }
    bool contains(int32_t row, int32_t column) const {
        return row >= 0 && row < rowCount_ && column >= 0 && column < columnCount_;
    }
    Cell& cell(int32_t row, int32_t column) { return cells_[index(row, column)]; }
    const Cell& cell(int32_t row, int32_t column) const { return cells_[index(row, column)]; }

    int32_t rowHeight(int32_t row) const { return rowHeights_[row]; }
    int32_t columnWidth(int32_t column) const { return columnWidths_[column]; }
    void setRowHeight(int32_t row, int32_t height) { rowHeights_[row] = height; }
    void setColumnWidth(int32_t column, int32_t width) { columnWidths_[column] = width; }

    int32_t fixedRows() const { return fixedRows_; }
    int32_t fixedColumns() const { return fixedColumns_; }
    // Kept within 0..rowCount (0..columnCount): a view must never be asked to fix
    // rows that do not exist.
    void setFixedRows(int32_t count);
    void setFixedColumns(int32_t count);

    PageSettings& pageSettings() { return pageSettings_; }
    const PageSettings& pageSettings() const { return pageSettings_; }

    int32_t defaultRowHeight() const { return defaultSizes_.rowHeight; }
    int32_t defaultColumnWidth() const { return defaultSizes_.columnWidth; }
    // What every new cell is made from: the default format, no kind, no merge links.
    const Cell& newCell() const { return newCell_; }

    // Discards every cell and makes rows x columns new ones at the default sizes;
    // fixed rows and columns become 0.
    bool setSize(int32_t rows, int32_t columns);
    // Discards every cell, leaving a 0 x 0 table.
    void clear();

    bool insertRows(int32_t at, int32_t count);
    bool insertColumns(int32_t at, int32_t count);
    bool deleteRows(int32_t at, int32_t count);
    bool deleteColumns(int32_t at, int32_t count);

private:
    size_t index(int32_t row, int32_t column) const {
        return static_cast<size_t>(row) * static_cast<size_t>(columnCount_) + static_cast<size_t>(column);
    }

    std::vector<Cell> cells_;
    std::vector<int32_t> rowHeights_;
    std::vector<int32_t> columnWidths_;
    int32_t rowCount_ = 0;
    int32_t columnCount_ = 0;
    int32_t fixedRows_ = 0;
    int32_t fixedColumns_ = 0;
    PageSettings pageSettings_;
    DefaultSizes defaultSizes_;
    Cell newCell_;
};

// Whether a table of this size stays within the limits.
bool fitsLimits(int64_t rows, int64_t columns);

}  // namespace grid
