#include "grid/xlsx/worksheet_layout.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "grid/xlsx/cell_value.h"

namespace grid::xlsx {
namespace {

constexpr double kUnitsPerInch = 254.0;
// Paper codes 1..118 are the same in the table's printer settings and in workbooks.
constexpr int kLastPaperCode = 118;
// Print scales that workbooks accept.
constexpr int kSmallestScale = 10;
constexpr int kLargestScale = 400;

// Positions 1-3 put the page number above the page (left, centre, right), 4-6 below.
std::string pageNumberSection(int position) {
    static constexpr const char* kSides[] = {"&L", "&C", "&R"};
    return kSides[(position - 1) % 3] + workbookText("第 &P 页");
}

}  // namespace

uint32_t columnPixels(int32_t tableWidth) {
    return static_cast<uint32_t>(std::lround(std::max(tableWidth, 0) * 96.0 / kUnitsPerInch));
}

double rowPoints(int32_t tableHeight) {
    return std::max(tableHeight, 0) * 72.0 / kUnitsPerInch;
}

double marginInches(int32_t tableMargin) {
    return std::max(tableMargin, 0) / kUnitsPerInch;
}

void writeSheetLayout(lxw_worksheet* sheet, const DataProvider& provider) {
    for (int32_t column = 0; column < provider.columnCount(); ++column) {
        auto index = static_cast<lxw_col_t>(column);
        worksheet_set_column_pixels(sheet, index, index, columnPixels(provider.columnWidth(column)),
                                    nullptr);
    }
    for (int32_t row = 0; row < provider.rowCount(); ++row) {
        worksheet_set_row(sheet, static_cast<lxw_row_t>(row), rowPoints(provider.rowHeight(row)),
                          nullptr);
    }
    if (provider.fixedRows() > 0 || provider.fixedColumns() > 0) {
        worksheet_freeze_panes(sheet, static_cast<lxw_row_t>(provider.fixedRows()),
                               static_cast<lxw_col_t>(provider.fixedColumns()));
    }
}

void writePageSetup(lxw_worksheet* sheet, const PageSettings& page) {
    worksheet_set_margins(sheet, marginInches(page.marginLeft), marginInches(page.marginRight),
                          marginInches(page.marginTop), marginInches(page.marginBottom));
    if (page.orientation == 2) {
        worksheet_set_landscape(sheet);
    } else {
        worksheet_set_portrait(sheet);
    }
    if (page.paperSize >= 1 && page.paperSize <= kLastPaperCode) {
        worksheet_set_paper(sheet, static_cast<uint8_t>(page.paperSize));
    }
    int scale = page.scaleForUse();
    if (scale < 0) {
        worksheet_fit_to_pages(sheet, 1, 0);
    } else if (scale != 100) {
        worksheet_set_print_scale(
            sheet, static_cast<uint16_t>(std::clamp(scale, kSmallestScale, kLargestScale)));
    }
    if (page.firstPageNumber > 1 && page.firstPageNumber <= UINT16_MAX) {
        worksheet_set_start_page(sheet, static_cast<uint16_t>(page.firstPageNumber));
    }
    int position = page.pageNumberPosition;
    if (position >= 1 && position <= 3) {
        worksheet_set_header(sheet, pageNumberSection(position).c_str());
    } else if (position >= 4 && position <= 6) {
        worksheet_set_footer(sheet, pageNumberSection(position).c_str());
    }
}

}  // namespace grid::xlsx
