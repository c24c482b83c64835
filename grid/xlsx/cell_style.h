#pragma once

#include <compare>
#include <cstdint>
#include <map>
#include <string>

#include "grid/model/cell.h"

struct lxw_workbook;
struct lxw_format;

namespace grid::xlsx {

enum class NumberStyle { General, Date, DateTime };

// Everything of a cell that becomes part of its workbook format. Cells that agree on
// all of it share one format, so a large table makes only a handful.
struct CellStyle {
    uint32_t flags = 0;  // alignment, lines and font style bits only
    uint32_t textColor = 0;
    uint32_t backColor = 0;
    std::string fontName;  // GBK, never empty
    int fontSize = 0;
    NumberStyle number = NumberStyle::General;

    static CellStyle of(const Cell& cell, NumberStyle number);
    auto operator<=>(const CellStyle&) const = default;
};

// 0x00BBGGRR as the workbook's 0xRRGGBB.
uint32_t workbookColor(uint32_t tableColor);
// A height in 0.1 mm as points, to the half point that workbooks offer.
double fontPoints(int tableSize);

// The workbook formats made so far, by style.
class StyleBook {
public:
    explicit StyleBook(lxw_workbook* workbook) : workbook_(workbook) {}
    lxw_format* formatFor(const CellStyle& style);

private:
    lxw_format* makeFormat(const CellStyle& style);

    lxw_workbook* workbook_;
    std::map<CellStyle, lxw_format*> formats_;
};

}  // namespace grid::xlsx
