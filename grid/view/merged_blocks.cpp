#include "grid/view/merged_blocks.h"

#include <algorithm>

namespace grid {
namespace {

uint32_t flagsOf(const DataSrc& source, int32_t row, int32_t column) {
    std::optional<Cell> cell = source.cellAt(row, column, false);
    return cell ? cell->flags() : 0;
}

}  // namespace

CellRange blockOf(const DataSrc& source, int32_t row, int32_t column) {
    if (!source.containsCell(row, column)) return {};
    // Links of a damaged file may point past the table's edge; the walk stops there.
    int32_t left = column, top = row, right = column, bottom = row;
    while (left > 0 && (flagsOf(source, row, left) & CellFlags::kJoinedLeft)) --left;
    while (top > 0 && (flagsOf(source, top, column) & CellFlags::kJoinedAbove)) --top;
    while (right + 1 < source.columnCount() && (flagsOf(source, row, right) & CellFlags::kJoinedRight)) ++right;
    while (bottom + 1 < source.rowCount() && (flagsOf(source, bottom, column) & CellFlags::kJoinedBelow)) ++bottom;
    return {top, left, bottom - top + 1, right - left + 1};
}

CellRange growToWholeBlocks(const DataSrc& source, CellRange range) {
    if (range.isEmpty() || !source.containsCell(range.row, range.column) ||
        !source.containsCell(range.lastRow(), range.lastColumn())) {
        return range;
    }
    bool grew = true;
    while (grew) {
        grew = false;
        for (int32_t column = range.column; column <= range.lastColumn(); ++column) {
            if (range.row > 0 && (flagsOf(source, range.row, column) & CellFlags::kJoinedAbove)) {
                --range.row;
                ++range.rowCount;
                grew = true;
            } else if (range.lastRow() + 1 < source.rowCount() &&
                       (flagsOf(source, range.lastRow(), column) & CellFlags::kJoinedBelow)) {
                ++range.rowCount;
                grew = true;
            }
        }
        for (int32_t row = range.row; row <= range.lastRow(); ++row) {
            if (range.column > 0 && (flagsOf(source, row, range.column) & CellFlags::kJoinedLeft)) {
                --range.column;
                ++range.columnCount;
                grew = true;
            } else if (range.lastColumn() + 1 < source.columnCount() &&
                       (flagsOf(source, row, range.lastColumn()) & CellFlags::kJoinedRight)) {
                ++range.columnCount;
                grew = true;
            }
        }
    }
    return range;
}

}  // namespace grid
