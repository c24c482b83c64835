#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "grid/model/cell.h"
#include "grid/model/page_settings.h"
#include "grid/model/row_list.h"
#include "grid/model/text_measurer.h"

namespace grid {

// The cells, sizes and page settings of one table in memory, row by row. Copying a
// table is cheap: the copy shares its rows until either side writes to them, which is
// how Undo keeps earlier states. Structural changes keep every position filled with a
// cell and return false, changing nothing, when the table would exceed the limits or
// memory runs out.
class Table {
public:
    explicit Table(DefaultSizes defaultSizes);

    int32_t rowCount() const { return rowCount_; }
    int32_t columnCount() const { return columnCount_; }
    bool contains(int32_t row, int32_t column) const {
        return row >= 0 && row < rowCount_ && column >= 0 && column < columnCount_;
    }
    // A cell to change: its row becomes this table's own first.
    Cell& cell(int32_t row, int32_t column) { return rows_.writable(row).cells()[static_cast<size_t>(column)]; }
    const Cell& cell(int32_t row, int32_t column) const { return rows_[row].cells()[static_cast<size_t>(column)]; }
    // The cells of a row to change, the row made this table's own once for all of them.
    std::span<Cell> rowCells(int32_t row) { return rows_.writable(row).cells(); }
    std::span<const Cell> rowCells(int32_t row) const { return rows_[row].cells(); }

    int32_t rowHeight(int32_t row) const { return rows_[row].height; }
    int32_t columnWidth(int32_t column) const { return columnWidths_[static_cast<size_t>(column)]; }
    void setRowHeight(int32_t row, int32_t height) {
        if (rows_[row].height != height) rows_.writable(row).height = height;
    }
    // Rows first..first+count-1, which must exist; rows that share storage keep sharing it.
    void setRowHeights(int32_t first, int32_t count, int32_t height);
    void setColumnWidth(int32_t column, int32_t width) { columnWidths_[static_cast<size_t>(column)] = width; }

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
    // The rows (columns) at these positions, which must be in ascending order without
    // repeats, go in one step: what deleting them one by one leaves, without moving the
    // rest once per deleted row.
    bool deleteRowSet(std::span<const int32_t> ascendingUnique);
    bool deleteColumnSet(std::span<const int32_t> ascendingUnique);
    // The row at first + i becomes the one that was at first + order[i]: whole rows
    // with their heights, without copying a cell. False, changing nothing, unless order
    // holds each of 0..size-1 once and the rows exist.
    bool reorderRows(int32_t first, std::span<const int32_t> order);

    // Whether the two tables have the same counts, fixed rows and columns and column
    // widths (row heights go with the rows).
    bool hasSameFrame(const Table& other) const;
    // The rows whose storage differs from the other table's: the rows that changed
    // since one was copied from the other.
    std::optional<RowSpan> rowsDifferingFrom(const Table& other) const { return rows_.differingRows(other.rows_); }
    // Whether the other table holds the same frame, row heights and cells, page
    // settings aside; only the rows whose storage differs are looked at, so a table
    // compared with a kept copy of itself costs what changed since.
    bool hasSameContent(const Table& other) const;

private:
    // A row of new cells at the default height.
    RowRef newRow() const;

    RowList rows_;
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
