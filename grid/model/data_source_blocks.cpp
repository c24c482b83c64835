// Merging and splitting cells, and drawing and erasing border lines.
#include "grid/model/data_source.h"

namespace grid {

CellRange DataSrc::growToWholeBlocks(CellRange range) const {
    if (range.isEmpty()) return range;
    bool grew = true;
    while (grew) {
        grew = false;
        for (int32_t column = range.column; column <= range.lastColumn(); ++column) {
            if ((flagsAt(range.row, column) & CellFlags::kJoinedAbove) && range.row > 0) {
                --range.row;
                ++range.rowCount;
                grew = true;
            } else if ((flagsAt(range.lastRow(), column) & CellFlags::kJoinedBelow) &&
                       range.lastRow() + 1 < rowCount()) {
                ++range.rowCount;
                grew = true;
            }
        }
        for (int32_t row = range.row; row <= range.lastRow(); ++row) {
            if ((flagsAt(row, range.column) & CellFlags::kJoinedLeft) && range.column > 0) {
                --range.column;
                ++range.columnCount;
                grew = true;
            } else if ((flagsAt(row, range.lastColumn()) & CellFlags::kJoinedRight) &&
                       range.lastColumn() + 1 < columnCount()) {
                ++range.columnCount;
                grew = true;
            }
        }
    }
    return range;
}

// Dissolves every block the range touches, then links exactly the range.
void DataSrc::relinkRange(const CellRange& requested) {
    std::optional<CellRange> range = validRange(requested);
    if (!range) return;
    notifyBeforeChange();
    CellRange grown = growToWholeBlocks(*range);
    for (int32_t row = grown.row; row <= grown.lastRow(); ++row) {
        for (int32_t column = grown.column; column <= grown.lastColumn(); ++column) {
            changeFlags(row, column, 0, CellFlags::kMergeMask);
        }
    }
    if (!range->isEmpty() && (range->rowCount > 1 || range->columnCount > 1)) {
        for (int32_t row = range->row; row <= range->lastRow(); ++row) {
            for (int32_t column = range->column; column <= range->lastColumn(); ++column) {
                uint32_t links = 0;
                if (row > range->row) links |= CellFlags::kJoinedAbove;
                if (row < range->lastRow()) links |= CellFlags::kJoinedBelow;
                if (column > range->column) links |= CellFlags::kJoinedLeft;
                if (column < range->lastColumn()) links |= CellFlags::kJoinedRight;
                changeFlags(row, column, links, 0);
            }
        }
    }
    notify({.kind = ModelNotice::Kind::Merged,
            .row = grown.row,
            .column = grown.column,
            .rowCount = grown.rowCount,
            .columnCount = grown.columnCount});
}

void DataSrc::mergeCells(const CellRange& range) { relinkRange(range); }

void DataSrc::splitCells(int32_t row, int32_t column) { relinkRange({row, column, 1, 1}); }

void DataSrc::drawLines(const CellRange& range, uint32_t lines) { applyLines(range, lines, true); }

void DataSrc::eraseLines(const CellRange& range, uint32_t lines) { applyLines(range, lines, false); }

void DataSrc::applyLines(const CellRange& requested, uint32_t lines, bool draw) {
    std::optional<CellRange> validated = validRange(requested);
    if (!validated) return;
    const CellRange& range = *validated;
    notifyBeforeChange();
    auto mark = [&](int32_t row, int32_t column, uint32_t bit) {
        if (containsCell(row, column)) changeFlags(row, column, draw ? bit : 0, draw ? 0 : bit);
    };
    if (!range.isEmpty()) {
        for (int32_t row = range.row; row <= range.lastRow(); ++row) {
            if (lines & 1) {
                mark(row, range.column, CellFlags::kLeftLine);
                mark(row, range.column - 1, CellFlags::kRightLine);
            }
            if (lines & 4) {
                mark(row, range.lastColumn(), CellFlags::kRightLine);
                mark(row, range.lastColumn() + 1, CellFlags::kLeftLine);
            }
            if (lines & 32) {
                for (int32_t column = range.column; column < range.lastColumn(); ++column) {
                    mark(row, column, CellFlags::kRightLine);
                    mark(row, column + 1, CellFlags::kLeftLine);
                }
            }
        }
        for (int32_t column = range.column; column <= range.lastColumn(); ++column) {
            if (lines & 2) {
                mark(range.row, column, CellFlags::kTopLine);
                mark(range.row - 1, column, CellFlags::kBottomLine);
            }
            if (lines & 8) {
                mark(range.lastRow(), column, CellFlags::kBottomLine);
                mark(range.lastRow() + 1, column, CellFlags::kTopLine);
            }
            if (lines & 16) {
                for (int32_t row = range.row; row < range.lastRow(); ++row) {
                    mark(row, column, CellFlags::kBottomLine);
                    mark(row + 1, column, CellFlags::kTopLine);
                }
            }
        }
    }
    if (lines & 64) mark(range.row, range.column, CellFlags::kSingleDiagonal);
    if (lines & 128) mark(range.row, range.column, CellFlags::kDoubleDiagonal);
    if (lines & 256) mark(range.row, range.column, CellFlags::kCrossLines);
    notify({.kind = ModelNotice::Kind::Lines,
            .row = range.row,
            .column = range.column,
            .rowCount = range.rowCount,
            .columnCount = range.columnCount});
}

}  // namespace grid
