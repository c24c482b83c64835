#include "grid/model/table.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "grid/model/limits.h"

namespace grid {
namespace {

// Positions as the set deletions take them: ascending, no repeats, all below count.
bool isAscendingUniqueBelow(std::span<const int32_t> positions, int32_t count) {
    int32_t previous = -1;
    for (int32_t position : positions) {
        if (position <= previous || position >= count) return false;
        previous = position;
    }
    return true;
}

Cell makeNewCell(const Cell& defaultCell) {
    Cell cell = defaultCell.formatOnly();
    cell.setFlags(cell.flags() & ~(CellFlags::kKindMask | CellFlags::kMergeMask));
    cell.setFontSize(static_cast<int16_t>(std::abs(cell.fontSize())));
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

RowRef Table::newRow() const { return RowRef::filled(columnCount_, newCell_, defaultSizes_.rowHeight); }

bool Table::setSize(int32_t rows, int32_t columns) {
    if (!fitsLimits(rows, columns)) return false;
    try {
        std::vector<int32_t> widths(static_cast<size_t>(columns), defaultSizes_.columnWidth);
        rows_.assign(rows, RowRef::filled(columns, newCell_, defaultSizes_.rowHeight));
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
    rows_ = {};
    columnWidths_ = {};
    rowCount_ = columnCount_ = fixedRows_ = fixedColumns_ = 0;
}

void Table::setRowHeights(int32_t first, int32_t count, int32_t height) {
    // Only the rows whose height really changes are touched, so that setting a height
    // the rows already have costs an undo state nothing.
    int32_t end = first + count;
    while (first < end && rows_[first].height == height) ++first;
    while (end > first && rows_[end - 1].height == height) --end;
    if (first == end) return;
    rows_.transform(first, end - first, [](TableRow&) {}, [height](TableRow& row) { row.height = height; });
}

bool Table::insertRows(int32_t at, int32_t count) {
    if (at < 0 || at > rowCount_ || count < 0) return false;
    if (!fitsLimits(int64_t{rowCount_} + count, columnCount_)) return false;
    if (count == 0) return true;
    try {
        rows_.insert(at, count, newRow());
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
    try {
        std::vector<int32_t> widths = columnWidths_;
        widths.insert(widths.begin() + at, static_cast<size_t>(count), defaultSizes_.columnWidth);
        // New cells hold no content, so copying newCell_ into them cannot fail halfway.
        rows_.resizeRows(columnCount_ + count, [&](std::span<Cell> from, std::span<Cell> to) {
            auto next = std::move(from.begin(), from.begin() + at, to.begin());
            next = std::fill_n(next, count, newCell_);
            std::move(from.begin() + at, from.end(), next);
        });
        columnWidths_ = std::move(widths);
    } catch (const std::bad_alloc&) {
        return false;
    }
    columnCount_ += count;
    return true;
}

bool Table::deleteRows(int32_t at, int32_t count) {
    if (at < 0 || at >= rowCount_ || count < 0) return false;
    count = std::min(count, rowCount_ - at);
    try {
        rows_.erase(at, count);
    } catch (const std::bad_alloc&) {
        return false;
    }
    rowCount_ -= count;
    fixedRows_ = std::min(fixedRows_, rowCount_);
    return true;
}

bool Table::deleteColumns(int32_t at, int32_t count) {
    if (at < 0 || at >= columnCount_ || count < 0) return false;
    count = std::min(count, columnCount_ - at);
    try {
        rows_.resizeRows(columnCount_ - count, [at, count](std::span<Cell> from, std::span<Cell> to) {
            std::move(from.begin() + at + count, from.end(), std::move(from.begin(), from.begin() + at, to.begin()));
        });
    } catch (const std::bad_alloc&) {
        return false;
    }
    columnWidths_.erase(columnWidths_.begin() + at, columnWidths_.begin() + at + count);
    columnCount_ -= count;
    fixedColumns_ = std::min(fixedColumns_, columnCount_);
    return true;
}

bool Table::deleteRowSet(std::span<const int32_t> ascendingUnique) {
    if (!isAscendingUniqueBelow(ascendingUnique, rowCount_)) return false;
    try {
        rows_.eraseSet(ascendingUnique);
    } catch (const std::bad_alloc&) {
        return false;
    }
    rowCount_ -= static_cast<int32_t>(ascendingUnique.size());
    fixedRows_ = std::min(fixedRows_, rowCount_);
    return true;
}

bool Table::reorderRows(int32_t first, std::span<const int32_t> order) {
    const int64_t count = static_cast<int64_t>(order.size());
    if (first < 0 || first + count > rowCount_) return false;
    try {
        std::vector<bool> seen(order.size());
        for (int32_t from : order) {
            if (from < 0 || from >= count || seen[static_cast<size_t>(from)]) return false;
            seen[static_cast<size_t>(from)] = true;
        }
        rows_.reorder(first, order);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool Table::deleteColumnSet(std::span<const int32_t> ascendingUnique) {
    if (!isAscendingUniqueBelow(ascendingUnique, columnCount_)) return false;
    if (ascendingUnique.empty()) return true;
    try {
        std::vector<bool> erased(static_cast<size_t>(columnCount_));
        for (int32_t column : ascendingUnique) erased[static_cast<size_t>(column)] = true;
        const int32_t kept = columnCount_ - static_cast<int32_t>(ascendingUnique.size());
        std::vector<int32_t> widths;
        widths.reserve(static_cast<size_t>(kept));
        for (size_t column = 0; column < columnWidths_.size(); ++column) {
            if (!erased[column]) widths.push_back(columnWidths_[column]);
        }
        rows_.resizeRows(kept, [&erased](std::span<Cell> from, std::span<Cell> to) {
            auto next = to.begin();
            for (size_t column = 0; column < from.size(); ++column) {
                if (!erased[column]) *next++ = std::move(from[column]);
            }
        });
        columnWidths_ = std::move(widths);
    } catch (const std::bad_alloc&) {
        return false;
    }
    columnCount_ -= static_cast<int32_t>(ascendingUnique.size());
    fixedColumns_ = std::min(fixedColumns_, columnCount_);
    return true;
}

bool Table::hasSameFrame(const Table& other) const {
    return rowCount_ == other.rowCount_ && columnCount_ == other.columnCount_ && fixedRows_ == other.fixedRows_ &&
           fixedColumns_ == other.fixedColumns_ && columnWidths_ == other.columnWidths_;
}

bool Table::hasSameContent(const Table& other) const {
    if (!hasSameFrame(other)) return false;
    std::optional<RowSpan> differing = rowsDifferingFrom(other);
    if (!differing) return true;
    for (int32_t row = differing->first; row <= differing->last; ++row) {
        const TableRow& mine = rows_[row];
        const TableRow& theirs = other.rows_[row];
        if (mine.height != theirs.height || !std::ranges::equal(mine.cells(), theirs.cells(), sameCell)) return false;
    }
    return true;
}

}  // namespace grid
