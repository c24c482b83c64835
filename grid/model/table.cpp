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

TableRow Table::newRow() const {
    return TableRow{std::vector<Cell>(static_cast<size_t>(columnCount_), newCell_), defaultSizes_.rowHeight};
}

bool Table::setSize(int32_t rows, int32_t columns) {
    if (!fitsLimits(rows, columns)) return false;
    try {
        std::vector<int32_t> widths(static_cast<size_t>(columns), defaultSizes_.columnWidth);
        TableRow prototype{std::vector<Cell>(static_cast<size_t>(columns), newCell_), defaultSizes_.rowHeight};
        rows_.assign(rows, prototype);
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
    const size_t newColumns = static_cast<size_t>(columnCount_) + static_cast<size_t>(count);
    try {
        std::vector<int32_t> widths = columnWidths_;
        widths.insert(widths.begin() + at, static_cast<size_t>(count), defaultSizes_.columnWidth);
        // With the room reserved beforehand, putting the new cells in cannot fail
        // halfway: new cells hold no content to copy.
        rows_.transform(
            0, rowCount_, [newColumns](TableRow& row) { row.cells.reserve(newColumns); },
            [&](TableRow& row) {
                row.cells.insert(row.cells.begin() + at, static_cast<size_t>(count), newCell_);
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
        rows_.transform(0, rowCount_, [](TableRow&) {}, [at, count](TableRow& row) {
            row.cells.erase(row.cells.begin() + at, row.cells.begin() + at + count);
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

bool Table::deleteColumnSet(std::span<const int32_t> ascendingUnique) {
    if (!isAscendingUniqueBelow(ascendingUnique, columnCount_)) return false;
    if (ascendingUnique.empty()) return true;
    try {
        std::vector<bool> erased(static_cast<size_t>(columnCount_));
        for (int32_t column : ascendingUnique) erased[static_cast<size_t>(column)] = true;
        // Compacting moves cells within their row and allocates nothing, so it cannot
        // fail once every row is this table's own.
        auto compact = [&erased](auto& values) {
            size_t kept = 0;
            for (size_t column = 0; column < values.size(); ++column) {
                if (erased[column]) continue;
                if (kept != column) values[kept] = std::move(values[column]);
                ++kept;
            }
            values.erase(values.begin() + static_cast<ptrdiff_t>(kept), values.end());
        };
        rows_.transform(0, rowCount_, [](TableRow&) {}, [&compact](TableRow& row) { compact(row.cells); });
        compact(columnWidths_);
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
        if (mine.height != theirs.height || !std::ranges::equal(mine.cells, theirs.cells, sameCell)) return false;
    }
    return true;
}

}  // namespace grid
