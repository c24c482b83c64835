#include "grid/model/page_layout.h"

#include <algorithm>

#include "grid/model/cell_flags.h"
#include "grid/model/data_provider.h"

namespace grid {
namespace {

bool isJoinedToNext(const DataProvider& table, int32_t row) {
    for (int32_t column = 0; column < table.columnCount(); ++column) {
        if (table.cellFlags(row, column) & CellFlags::kJoinedBelow) return true;
    }
    return false;
}

// The last row of the group that starts at row: the rows that vertically merged cells
// join to it.
int32_t groupEnd(const DataProvider& table, int32_t row) {
    int32_t last = row;
    while (last + 1 < table.rowCount() && isJoinedToNext(table, last)) ++last;
    return last;
}

// The rows at which pages start, from first to last (both body rows).
std::vector<int32_t> pageStarts(const DataProvider& table, const PageSettings& settings, int32_t first, int32_t last,
                                int64_t bodyHeight) {
    std::vector<int32_t> starts{first};
    int64_t height = 0;
    for (int32_t row = first; row <= last;) {
        int32_t end = groupEnd(table, row);
        int32_t next = end + 1;
        if (settings.rowsPerPage > 0) {
            if (next <= last && next - starts.back() >= settings.rowsPerPage) starts.push_back(next);
            row = next;
            continue;
        }
        for (int32_t member = row; member <= end; ++member) height += table.rowHeight(member);
        if (height <= bodyHeight) {
            row = next;
            continue;
        }
        // The group goes onto a new page, unless it already starts one: then it is
        // taller than a page, keeps that page to itself, and the next page starts after it.
        int32_t start = row == starts.back() ? next : row;
        if (start > last) break;
        starts.push_back(start);
        height = 0;
        row = start;
    }
    return starts;
}

}  // namespace

int32_t printScale(const PageSettings& settings, int32_t availableWidth, int32_t tableWidth) {
    int32_t scale = settings.scaleForUse();
    if (scale > 0) return scale;
    if (tableWidth <= 0 || (scale == -2 && tableWidth <= availableWidth)) return 100;
    return static_cast<int32_t>(std::max<int64_t>(1, int64_t{availableWidth} * 100 / tableWidth));
}

int32_t lastPrintedRow(const DataProvider& table, const PageSettings& settings) {
    if (settings.printRange == 2 && settings.endPage > 0) return std::min(table.rowCount(), settings.endPage) - 1;
    return table.rowCount() - 1;
}

std::vector<PageEntry> layOutPages(const DataProvider& table, const PageSettings& settings, int32_t availableWidth,
                                   int32_t availableHeight) {
    int32_t rows = table.rowCount();
    int32_t titleRows = std::clamp(table.fixedRows(), 0, rows);
    int64_t tableWidth = 0;
    for (int32_t column = 0; column < table.columnCount(); ++column) tableWidth += table.columnWidth(column);
    int32_t scale = printScale(settings, availableWidth, static_cast<int32_t>(std::min<int64_t>(tableWidth, INT32_MAX)));
    int64_t bodyHeight = int64_t{availableHeight} * 100 / scale;
    for (int32_t row = 0; row < titleRows; ++row) bodyHeight -= table.rowHeight(row);

    int32_t first = settings.printRange == 2 ? std::max(settings.startPage - 1, titleRows) : titleRows;
    int32_t last = lastPrintedRow(table, settings);
    std::vector<int32_t> starts = pageStarts(table, settings, first, last, bodyHeight);

    auto pageCount = static_cast<int32_t>(starts.size());
    int32_t firstKept = 0;
    int32_t lastKept = pageCount - 1;
    if (settings.printRange == 1) {
        firstKept = std::max(settings.startPage - 1, 0);
        if (settings.endPage >= 1) lastKept = std::min(settings.endPage - 1, pageCount - 1);
    }
    std::vector<PageEntry> pages;
    for (int32_t page = firstKept; page <= lastKept; ++page) {
        int32_t ordinal = page - firstKept + 1;
        if ((settings.oddEvenMode == 1 && ordinal % 2 == 0) || (settings.oddEvenMode == 2 && ordinal % 2 == 1)) continue;
        int32_t lastRow = page + 1 < pageCount ? starts[static_cast<size_t>(page) + 1] - 1 : last;
        pages.push_back({settings.firstPageNumber + page, starts[static_cast<size_t>(page)], lastRow});
    }
    return pages;
}

}  // namespace grid
