#pragma once

#include <cstdint>
#include <vector>

#include "grid/model/page_settings.h"

namespace grid {

class DataProvider;

// One printed page: the number printed on it and its first and last table rows (from
// 0, both included). The title rows, the table's fixed rows, head every page and are
// not part of the entry.
struct PageEntry {
    int32_t pageNumber = 0;
    int32_t firstRow = 0;
    int32_t lastRow = 0;
    friend bool operator==(const PageEntry&, const PageEntry&) = default;
};

// The print scale in percent for a table tableWidth wide (0.1 mm) on a page whose
// available width is availableWidth: the settings' percentage, or the width-fitting
// scale of the two fit modes. Never below 1, so a page always has room for rows.
int32_t printScale(const PageSettings& settings, int32_t availableWidth, int32_t tableWidth);

// The last table row a print reaches: the end of the settings' row range, or the
// table's last row.
int32_t lastPrintedRow(const DataProvider& table, const PageSettings& settings);

// Splits the table's body rows into pages of the available area (0.1 mm, after the
// margins) at the print scale: by height, or by rowsPerPage rows; a row joined to the
// next by a vertically merged cell goes onto the same page, and a group taller than a
// page gets a page of its own. Then the settings' page or row range and odd or even
// pages choose the pages to print; page numbers count from firstPageNumber over the
// whole layout, so a range keeps the numbers a full print would give.
std::vector<PageEntry> layOutPages(const DataProvider& table, const PageSettings& settings, int32_t availableWidth,
                                   int32_t availableHeight);

}  // namespace grid
