#include "grid/model/row_sort.h"

#include <algorithm>
#include <memory>
#include <new>
#include <numeric>

#include "grid/model/data_source.h"
#include "grid/model/sort_key.h"
#include "grid/model/table.h"

namespace grid {
namespace {

bool isValid(const Table& table, const RowSort& sort) {
    if (sort.firstRow < 0 || sort.firstRow > sort.lastRow || sort.firstRow >= table.rowCount()) return false;
    if (sort.keys.empty()) return false;
    return std::all_of(sort.keys.begin(), sort.keys.end(),
                       [&](const SortColumn& key) { return key.column >= 0 && key.column < table.columnCount(); });
}

// Rows move one by one, so a block joined across two of them would be torn apart.
bool hasRowsJoined(const Table& table, int32_t first, int32_t last) {
    for (int32_t row = first; row <= last; ++row) {
        for (const Cell& cell : table.rowCells(row)) {
            if (cell.flags() & (CellFlags::kJoinedAbove | CellFlags::kJoinedBelow)) return true;
        }
    }
    return false;
}

// A block merged across columns shows the content of its first cell, so that is
// what a key column inside the block sorts by.
const Cell& shownCell(const Table& table, int32_t row, int32_t column) {
    while (column > 0 && (table.cell(row, column).flags() & CellFlags::kJoinedLeft)) --column;
    return table.cell(row, column);
}

}  // namespace

SortOutcome sortTableRows(Table& table, const RowSort& sort) {
    if (!isValid(table, sort)) return SortOutcome::InvalidRange;
    const int32_t first = sort.firstRow + (sort.hasHeaderRow ? 1 : 0);
    const int32_t last = std::min(sort.lastRow, table.rowCount() - 1);
    if (first >= last) return SortOutcome::Sorted;
    if (hasRowsJoined(table, first, last)) return SortOutcome::CutsMergedBlock;
    try {
        const size_t rows = static_cast<size_t>(last - first + 1);
        const size_t keyCount = sort.keys.size();
        std::vector<SortKey> keys(rows * keyCount);
        for (size_t row = 0; row < rows; ++row) {
            for (size_t key = 0; key < keyCount; ++key) {
                const Cell& cell = shownCell(table, first + static_cast<int32_t>(row), sort.keys[key].column);
                keys[row * keyCount + key] = sortKeyOf(cell);
            }
        }
        std::vector<int32_t> order(rows);
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
            const SortKey* keysOfA = &keys[static_cast<size_t>(a) * keyCount];
            const SortKey* keysOfB = &keys[static_cast<size_t>(b) * keyCount];
            for (size_t key = 0; key < keyCount; ++key) {
                const int order = compareSortKeys(keysOfA[key], keysOfB[key], sort.keys[key].descending);
                if (order != 0) return order < 0;
            }
            return false;
        });
        return table.reorderRows(first, order) ? SortOutcome::Sorted : SortOutcome::NoMemory;
    } catch (const std::bad_alloc&) {
        return SortOutcome::NoMemory;
    }
}

SortOutcome sortRows(DataSrc& source, const RowSort& sort) {
    // The views commit an open edit on the first before-change notice: that must
    // happen before the copy is taken, or the sorted copy would put back the old text.
    source.beginBatch();
    source.notifyBeforeChange();
    SortOutcome outcome = SortOutcome::ProviderKeepsOrder;
    if (std::shared_ptr<const Table> current = source.tableCopy()) {
        try {
            Table sorted(*current);
            current.reset();
            outcome = sortTableRows(sorted, sort);
            if (outcome == SortOutcome::Sorted && !source.putBack(sorted)) outcome = SortOutcome::NoMemory;
        } catch (const std::bad_alloc&) {
            outcome = SortOutcome::NoMemory;
        }
    }
    source.endBatch();
    return outcome;
}

std::string_view sortRefusalText(SortOutcome outcome) {
    switch (outcome) {
        case SortOutcome::Sorted: return {};
        case SortOutcome::InvalidRange: return "要排序的行或关键字列不在表格中。";
        case SortOutcome::CutsMergedBlock: return "要排序的行中有跨行组合的单元格，请先分解后再排序。";
        case SortOutcome::ProviderKeepsOrder: return "请在查询语句中使用 ORDER BY 排序。";
        case SortOutcome::NoMemory: return "内存不足，无法排序。";
    }
    return {};
}

}  // namespace grid
