#include "grid/model/table.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "grid/model/limits.h"

namespace grid {
namespace {

// Grows by an eighth (at least 4 elements) beyond what is needed, so that appending
// single rows copies the table only now and then.
template <typename Element>
void reserveForGrowth(std::vector<Element>& elements, size_t neededSize) {
    if (neededSize <= elements.capacity()) return;
    size_t step = std::max<size_t>(4, elements.size() / 8);
    elements.reserve(std::max(neededSize, elements.size() + step));
}

Cell makeNewCell(const Cell& defaultCell) {
    Cell cell = defaultCell.formatOnly();
    cell.flags &= ~(CellFlags::kKindMask | CellFlags::kMergeMask);
    cell.fontSize = static_cast<int16_t>(std::abs(cell.fontSize));
    return cell;
}

}  // namespace

bool fitsLimits(int64_t rows, int64_t columns) {
    return rows >= 0 && columns >= 0 && rows <= kMaxRows && columns <= kMaxColumns &&
           rows * columns <= kMaxCells;
}

Table::Table(DefaultSizes defaultSizes) : defaultSizes_(defaultSizes), newCell_(makeNewCell(Cell())) {}

void Table::setFixedRows(int32_t count) { fixedRows_ = std::clamp(count, 0, rowCount_); }

void Table::setFixedColumns(int32_t count) { fixedColumns_ = std::clamp(count, 0, columnCount_); }

bool Table::setSize(int32_t rows, int32_t columns) {
    if (!fitsLimits(rows, columns)) return false;
    try {
        std::vector<Cell> cells(static_cast<size_t>(rows) * static_cast<size_t>(columns), newCell_);
        std::vector<int32_t> heights(static_cast<size_t>(rows), defaultSizes_.rowHeight);
        std::vector<int32_t> widths(static_cast<size_t>(columns), defaultSizes_.columnWidth);
        cells_ = std::move(cells);
        rowHeights_ = std::move(heights);
        columnWidths_ = std::move(widths);
    } catch (const std::bad_alloc&) {
        return false;
    }
    rowCount_ = rows;
    columnCount_ = columns;
    fixedRows_ = 0;
    fixedColumns_ = 0;
    return true;
}

void Table::clear() {
    cells_ = {};
    rowHeights_ = {};
    columnWidths_ = {};
    rowCount_ = columnCount_ = fixedRows_ = fixedColumns_ = 0;
}

bool Table::insertRows(int32_t at, int32_t count) {
    if (at < 0 || at > rowCount_ || count < 0) return false;
    if (!fitsLimits(int64_t{rowCount_} + count, columnCount_)) return false;
    if (count == 0) return true;
    try {
        size_t newCellCount = static_cast<size_t>(rowCount_ + count) * static_cast<size_t>(columnCount_);
        reserveForGrowth(cells_, newCellCount);
        reserveForGrowth(rowHeights_, static_cast<size_t>(rowCount_ + count));
        cells_.insert(cells_.begin() + static_cast<ptrdiff_t>(index(at, 0)),
                      static_cast<size_t>(count) * static_cast<size_t>(columnCount_), newCell_);
        rowHeights_.insert(rowHeights_.begin() + at, static_cast<size_t>(count), defaultSizes_.rowHeight);
    } catch (const std::bad_alloc&) {
        return false;
    }
    rowCount_ += count;
    return true;
}

bool Table::insertColumns(int32_t at, int32_t count) {
    if (at < 0 || at > columnCount_ || count < 0) return false;
    if (!fitsLimits(rowCount_, int64_t{columnCount_} + count)) return false;
    if (count == 0) return true;
    int32_t oldColumns = columnCount_;
    int32_t newColumns = columnCount_ + count;
    try {
        reserveForGrowth(cells_, static_cast<size_t>(rowCount_) * static_cast<size_t>(newColumns));
        reserveForGrowth(columnWidths_, static_cast<size_t>(newColumns));
        cells_.resize(static_cast<size_t>(rowCount_) * static_cast<size_t>(newColumns));
        columnWidths_.insert(columnWidths_.begin() + at, static_cast<size_t>(count),
                             defaultSizes_.columnWidth);
    } catch (const std::bad_alloc&) {
        cells_.resize(static_cast<size_t>(rowCount_) * static_cast<size_t>(oldColumns));
        return false;
    }
    // From the last row back every cell moves to a higher index, so no cell is
    // overwritten before it has moved.
    for (int32_t row = rowCount_ - 1; row >= 0; --row) {
        size_t oldStart = static_cast<size_t>(row) * static_cast<size_t>(oldColumns);
        size_t newStart = static_cast<size_t>(row) * static_cast<size_t>(newColumns);
        for (int32_t column = oldColumns - 1; column >= 0; --column) {
            size_t target = newStart + static_cast<size_t>(column >= at ? column + count : column);
            cells_[target] = std::move(cells_[oldStart + static_cast<size_t>(column)]);
        }
        for (int32_t column = at; column < at + count; ++column) cells_[newStart + static_cast<size_t>(column)] = newCell_;
    }
    columnCount_ = newColumns;
    return true;
}

bool Table::deleteRows(int32_t at, int32_t count) {
    if (at < 0 || at >= rowCount_ || count < 0) return false;
    count = std::min(count, rowCount_ - at);
    cells_.erase(cells_.begin() + static_cast<ptrdiff_t>(index(at, 0)),
                 cells_.begin() + static_cast<ptrdiff_t>(index(at + count, 0)));
    rowHeights_.erase(rowHeights_.begin() + at, rowHeights_.begin() + at + count);
    rowCount_ -= count;
    fixedRows_ = std::min(fixedRows_, rowCount_);
    return true;
}

bool Table::deleteColumns(int32_t at, int32_t count) {
    if (at < 0 || at >= columnCount_ || count < 0) return false;
    count = std::min(count, columnCount_ - at);
    int32_t oldColumns = columnCount_;
    int32_t newColumns = columnCount_ - count;
    // From the first row on every kept cell moves to a lower index.
    size_t target = 0;
    for (int32_t row = 0; row < rowCount_; ++row) {
        size_t oldStart = static_cast<size_t>(row) * static_cast<size_t>(oldColumns);
        for (int32_t column = 0; column < oldColumns; ++column) {
            if (column >= at && column < at + count) continue;
            if (target != oldStart + static_cast<size_t>(column)) {
                cells_[target] = std::move(cells_[oldStart + static_cast<size_t>(column)]);
            }
            ++target;
        }
    }
    cells_.resize(target);
    columnWidths_.erase(columnWidths_.begin() + at, columnWidths_.begin() + at + count);
    columnCount_ = newColumns;
    fixedColumns_ = std::min(fixedColumns_, columnCount_);
    return true;
}

}  // namespace grid
