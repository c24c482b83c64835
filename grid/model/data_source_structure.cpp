// Inserting and deleting rows and columns, one run or a whole set at a time, with the
// repairs that keep border lines and merged blocks whole at the seams.
#include <algorithm>
#include <new>
#include <span>
#include <vector>

#include "grid/model/data_source.h"

namespace grid {
namespace {

// Rows and columns go through the same algorithms; an axis says which flags play the
// part of "before" and "after" along the direction of the change.
struct Axis {
    bool isRows;
    uint32_t leadingLine;   // top line for rows, left line for columns
    uint32_t trailingLine;  // bottom or right line
    uint32_t joinedBefore;  // joined above or left
    uint32_t joinedAfter;   // joined below or right
    uint32_t joinedAcross;  // the two links across the axis
};

constexpr Axis kRowAxis{true, CellFlags::kTopLine, CellFlags::kBottomLine, CellFlags::kJoinedAbove,
                        CellFlags::kJoinedBelow, CellFlags::kJoinedLeft | CellFlags::kJoinedRight};
constexpr Axis kColumnAxis{false, CellFlags::kLeftLine, CellFlags::kRightLine, CellFlags::kJoinedLeft,
                           CellFlags::kJoinedRight, CellFlags::kJoinedAbove | CellFlags::kJoinedBelow};

// Addresses a cell by its position along the axis and across it.
struct AxisTable {
    const Axis& axis;
    DataProvider& provider;

    int32_t length() const { return axis.isRows ? provider.rowCount() : provider.columnCount(); }
    int32_t breadth() const { return axis.isRows ? provider.columnCount() : provider.rowCount(); }
    uint32_t flags(int32_t along, int32_t across) const {
        return axis.isRows ? provider.cellFlags(along, across) : provider.cellFlags(across, along);
    }
    void setFlags(int32_t along, int32_t across, uint32_t flags) {
        if (axis.isRows) {
            provider.setFlags(along, across, flags);
        } else {
            provider.setFlags(across, along, flags);
        }
    }
    void change(int32_t along, int32_t across, uint32_t set, uint32_t cleared) {
        uint32_t old = flags(along, across);
        uint32_t changed = (old & ~cleared) | set;
        if (changed != old) setFlags(along, across, changed);
    }
};

void repairInsertedLines(AxisTable table, int32_t at, int32_t count) {
    const Axis& axis = table.axis;
    for (int32_t across = 0; across < table.breadth(); ++across) {
        uint32_t following = table.flags(at + count, across);
        for (int32_t along = at; along < at + count; ++along) {
            uint32_t flags = table.flags(along, across) | (following & CellFlags::kEdgeLines);
            // Opened inside a merged block: the new cells join it.
            if (following & axis.joinedBefore) {
                flags |= axis.joinedBefore | axis.joinedAfter | (following & axis.joinedAcross);
            }
            table.setFlags(along, across, flags);
        }
        if (at == 0) {
            // The table's top (left) edge line stays at the table's edge.
            if (following & axis.leadingLine) {
                table.change(0, across, axis.leadingLine, 0);
                table.change(count, across, 0, axis.leadingLine);
            } else {
                table.change(0, across, 0, axis.leadingLine);
            }
        }
    }
}

std::vector<uint32_t> lastDeletedFlags(AxisTable table, int32_t count) {
    std::vector<uint32_t> flags(static_cast<size_t>(table.breadth()));
    for (int32_t across = 0; across < table.breadth(); ++across) flags[across] = table.flags(count - 1, across);
    return flags;
}

void repairDeletedSeam(AxisTable table, int32_t at, const std::vector<uint32_t>& lastDeleted) {
    const Axis& axis = table.axis;
    int32_t length = table.length();
    for (int32_t across = 0; across < table.breadth(); ++across) {
        if (at < length) {
            uint32_t flags = table.flags(at, across);
            bool keepsLink = at > 0 && (table.flags(at - 1, across) & axis.joinedAfter);
            if ((flags & axis.joinedBefore) && !keepsLink) table.setFlags(at, across, flags & ~axis.joinedBefore);
        }
        if (at > 0) {
            uint32_t flags = table.flags(at - 1, across);
            bool keepsLink = at < length && (table.flags(at, across) & axis.joinedBefore);
            if ((flags & axis.joinedAfter) && !keepsLink) table.setFlags(at - 1, across, flags & ~axis.joinedAfter);
        }
        if (at == 0 && length > 0) {
            bool hadEdge = (lastDeleted[across] & axis.trailingLine) != 0;
            table.change(0, across, hadEdge ? axis.leadingLine : 0, hadEdge ? 0 : axis.leadingLine);
        }
    }
}

// A flag word that a seam repair changed, kept to put back should the deletion fail.
struct FlagChange {
    int32_t along;
    int32_t across;
    uint32_t old;
};

// The repairs of repairDeletedSeam for deleting a set one position at a time from the
// last, done on the table before anything goes. The position after a deleted one is
// then the next one that stays, since those after it are gone by its turn; the one
// before it is still there.
void repairSeamsOfSet(AxisTable table, std::span<const int32_t> set, std::vector<FlagChange>& changes) {
    const Axis& axis = table.axis;
    const int32_t length = table.length();
    auto write = [&](int32_t along, int32_t across, uint32_t old, uint32_t flags) {
        if (flags == old) return;
        changes.push_back({along, across, old});
        table.setFlags(along, across, flags);
    };
    int32_t next = length;
    for (size_t index = set.size(); index-- > 0;) {
        const int32_t at = set[index];
        if (index + 1 == set.size() || set[index + 1] != at + 1) next = at + 1;
        for (int32_t across = 0; across < table.breadth(); ++across) {
            const uint32_t before = at > 0 ? table.flags(at - 1, across) : 0;
            const uint32_t oldAfter = next < length ? table.flags(next, across) : 0;
            uint32_t after = oldAfter;
            if ((after & axis.joinedBefore) && !(before & axis.joinedAfter)) after &= ~axis.joinedBefore;
            if ((before & axis.joinedAfter) && !(after & axis.joinedBefore)) {
                write(at - 1, across, before, before & ~axis.joinedAfter);
            }
            if (next == length) continue;
            if (at == 0) {
                const bool hadEdge = (table.flags(0, across) & axis.trailingLine) != 0;
                after = hadEdge ? (after | axis.leadingLine) : (after & ~axis.leadingLine);
            }
            write(next, across, oldAfter, after);
        }
    }
}

// Latest first, so that a word changed twice ends as it began. A word whose write
// failed still holds its old value and is not written again.
void undoFlagChanges(AxisTable table, const std::vector<FlagChange>& changes) {
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
        if (table.flags(change->along, change->across) != change->old) {
            table.setFlags(change->along, change->across, change->old);
        }
    }
}

// Repairs the seams and deletes the set (ascending, no repeats, all in the table),
// all or nothing: when memory runs out or the provider fails, the repairs are undone.
bool deleteSetWithRepairs(AxisTable table, std::span<const int32_t> set) {
    std::vector<FlagChange> changes;
    try {
        repairSeamsOfSet(table, set, changes);
        bool deleted = table.axis.isRows ? table.provider.deleteRowSet(set) : table.provider.deleteColumnSet(set);
        if (deleted) return true;
    } catch (const std::bad_alloc&) {
        // The table is put back below, as after a refusal.
    }
    undoFlagChanges(table, changes);
    return false;
}

// The fixed rows (columns) that deleting the set one at a time from the last leaves,
// read from the table after the whole set went. Each single deletion clips them to
// what remains and, when it was above the boundary, moves the boundary down past any
// merged block that would cross it. The links it meets there, below the deleted
// position, are final by then, and a boundary b of that moment lies at b - index in
// the final table, index being the number of set positions before the deleted one.
int32_t fixedAfterSet(AxisTable table, std::span<const int32_t> set, int32_t fixed) {
    const int32_t finalLength = table.length();
    auto crosses = [&](int32_t boundary) {
        if (boundary <= 0 || boundary >= finalLength) return false;
        for (int32_t across = 0; across < table.breadth(); ++across) {
            if (table.flags(boundary - 1, across) & table.axis.joinedAfter) return true;
        }
        return false;
    };
    int32_t length = finalLength + static_cast<int32_t>(set.size());
    for (size_t index = set.size(); index-- > 0;) {
        fixed = std::clamp(fixed, 0, --length);
        if (set[index] >= fixed) continue;
        while (crosses(fixed - static_cast<int32_t>(index))) ++fixed;
    }
    return fixed;
}

// The positions of a set that exist, ascending and without repeats.
std::vector<int32_t> existingPositions(std::vector<int32_t> positions, int32_t length) {
    std::erase_if(positions, [length](int32_t position) { return position < 0 || position >= length; });
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return positions;
}

}  // namespace

bool DataSrc::insertRows(int32_t at, int32_t count) {
    if (!provider_ || at < 0 || at > rowCount() || count < 0) return false;
    if (count == 0) return true;
    int32_t oldRowCount = rowCount();
    notifyBeforeChange();
    if (!provider_->insertRows(at, count)) return false;
    if (at < oldRowCount) repairInsertedLines({kRowAxis, *provider_}, at, count);
    notify({.kind = ModelNotice::Kind::RowsInserted, .row = at, .rowCount = count});
    // An empty table had no current row to move down: the first new row becomes
    // current, whatever number a provider emptied behind our back left standing.
    if (oldRowCount == 0) {
        setCurrentRow(0);
    } else if (currentRow_ >= at && currentRow_ < oldRowCount) {
        setCurrentRow(currentRow_ + count);
    }
    return true;
}

bool DataSrc::insertColumns(int32_t at, int32_t count) {
    if (!provider_ || at < 0 || at > columnCount() || count < 0) return false;
    if (count == 0) return true;
    int32_t oldColumnCount = columnCount();
    notifyBeforeChange();
    if (!provider_->insertColumns(at, count)) return false;
    if (at < oldColumnCount) repairInsertedLines({kColumnAxis, *provider_}, at, count);
    notify({.kind = ModelNotice::Kind::ColumnsInserted, .column = at, .columnCount = count});
    return true;
}

bool DataSrc::deleteRows(int32_t at, int32_t count) {
    if (!provider_ || at < 0 || at >= rowCount() || count < 0) return false;
    count = std::min(count, rowCount() - at);
    if (count == 0) return true;
    notifyBeforeChange();
    AxisTable table{kRowAxis, *provider_};
    std::vector<uint32_t> lastDeleted = at == 0 ? lastDeletedFlags(table, count) : std::vector<uint32_t>();
    if (!provider_->deleteRows(at, count)) return false;
    repairDeletedSeam(table, at, lastDeleted);
    if (at < provider_->fixedRows()) recomputeFixedRows();
    notify({.kind = ModelNotice::Kind::RowsDeleted, .row = at, .rowCount = count});
    // A current row among the deleted ones moves to the first row after them; one
    // further down keeps its number, as long as that row still exists.
    bool wasDeleted = currentRow_ >= at && currentRow_ < at + count;
    int32_t target = std::clamp(wasDeleted ? at : currentRow_, 0, std::max(0, rowCount() - 1));
    if (wasDeleted || target != currentRow_) {
        currentRow_ = target;
        notify({.kind = ModelNotice::Kind::CurrentRow, .row = target});
    }
    return true;
}

bool DataSrc::deleteColumns(int32_t at, int32_t count) {
    if (!provider_ || at < 0 || at >= columnCount() || count < 0) return false;
    count = std::min(count, columnCount() - at);
    if (count == 0) return true;
    notifyBeforeChange();
    AxisTable table{kColumnAxis, *provider_};
    std::vector<uint32_t> lastDeleted = at == 0 ? lastDeletedFlags(table, count) : std::vector<uint32_t>();
    if (!provider_->deleteColumns(at, count)) return false;
    repairDeletedSeam(table, at, lastDeleted);
    if (at < provider_->fixedColumns()) recomputeFixedColumns();
    notify({.kind = ModelNotice::Kind::ColumnsDeleted, .column = at, .columnCount = count});
    return true;
}

bool DataSrc::deleteRowSet(std::vector<int32_t> rows) {
    if (!provider_) return false;
    rows = existingPositions(std::move(rows), rowCount());
    if (rows.empty()) return true;
    const int32_t fixed = provider_->fixedRows();
    notifyBeforeChange();
    AxisTable table{kRowAxis, *provider_};
    if (!deleteSetWithRepairs(table, rows)) return false;
    const int32_t newFixed = fixedAfterSet(table, rows, fixed);
    if (newFixed != provider_->fixedRows()) provider_->setFixedRows(newFixed);
    // Each single deletion would clip the current row to the rows left and tell the
    // views when that moved it or when it deleted the current row.
    int32_t current = currentRow_;
    bool moved = false;
    int32_t remaining = rowCount() + static_cast<int32_t>(rows.size());
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        const int32_t target = std::clamp(current, 0, std::max(0, --remaining - 1));
        moved = moved || current == *row || target != current;
        current = target;
    }
    currentRow_ = current;
    notify({.kind = ModelNotice::Kind::Reset});
    if (moved) notify({.kind = ModelNotice::Kind::CurrentRow, .row = current});
    return true;
}

bool DataSrc::deleteColumnSet(std::vector<int32_t> columns) {
    if (!provider_) return false;
    columns = existingPositions(std::move(columns), columnCount());
    if (columns.empty()) return true;
    const int32_t fixed = provider_->fixedColumns();
    notifyBeforeChange();
    AxisTable table{kColumnAxis, *provider_};
    if (!deleteSetWithRepairs(table, columns)) return false;
    const int32_t newFixed = fixedAfterSet(table, columns, fixed);
    if (newFixed != provider_->fixedColumns()) provider_->setFixedColumns(newFixed);
    notify({.kind = ModelNotice::Kind::Reset});
    return true;
}

// A merged block must not cross the boundary between fixed and scrolling rows, so
// the boundary moves down past any block that would.
void DataSrc::recomputeFixedRows() {
    int32_t boundary = std::clamp(provider_->fixedRows(), 0, rowCount());
    auto crossesBoundary = [&] {
        if (boundary == 0 || boundary >= rowCount()) return false;
        for (int32_t column = 0; column < columnCount(); ++column) {
            if (flagsAt(boundary - 1, column) & CellFlags::kJoinedBelow) return true;
        }
        return false;
    };
    while (crossesBoundary()) ++boundary;
    provider_->setFixedRows(boundary);
}

void DataSrc::recomputeFixedColumns() {
    int32_t boundary = std::clamp(provider_->fixedColumns(), 0, columnCount());
    auto crossesBoundary = [&] {
        if (boundary == 0 || boundary >= columnCount()) return false;
        for (int32_t row = 0; row < rowCount(); ++row) {
            if (flagsAt(row, boundary - 1) & CellFlags::kJoinedRight) return true;
        }
        return false;
    };
    while (crossesBoundary()) ++boundary;
    provider_->setFixedColumns(boundary);
}

}  // namespace grid
