#pragma once

#include <cstdint>

#include "grid/model/data_provider.h"

struct lxw_worksheet;

namespace grid::xlsx {

// 0.1 mm as screen pixels at 96 dots per inch, the unit in which workbooks measure
// column widths.
uint32_t columnPixels(int32_t tableWidth);
// 0.1 mm as points, the unit of row heights.
double rowPoints(int32_t tableHeight);
// 0.1 mm as inches, the unit of page margins.
double marginInches(int32_t tableMargin);

// Column widths, row heights and the fixed rows and columns as frozen panes.
void writeSheetLayout(lxw_worksheet* sheet, const DataProvider& provider);

// The page settings that workbooks know: margins, orientation, paper, scale, the
// first page number and the page number in the header or footer.
void writePageSetup(lxw_worksheet* sheet, const PageSettings& page);

}  // namespace grid::xlsx
