#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "grid/model/page_settings.h"

namespace grid::workbook {

// The page a sheet prints on, as far as its workbook says: margins in 0.1 mm, the
// paper by the codes tables and workbooks share, the orientation (1 portrait, 2
// landscape). The library reads none of it, so it is found in the parts themselves.
struct SheetPage {
    std::optional<int32_t> marginLeft, marginTop, marginRight, marginBottom;
    std::optional<int16_t> paperSize;
    std::optional<int16_t> orientation;

    void applyTo(PageSettings& page) const;
};

// From an .xlsx worksheet part: its pageMargins (inches) and pageSetup elements.
SheetPage xlsxSheetPage(std::string_view worksheetXml);

// The worksheet parts of an .xlsx workbook in the order of its sheets, from the
// workbook part and its relationships: "xl/worksheets/sheet1.xml" and so on.
std::vector<std::string> xlsxSheetParts(std::string_view workbookXml, std::string_view relationshipsXml);

// From an .ods styles part: the first page layout's margins, paper and orientation,
// which the default page style uses and every sheet of a workbook written by an office
// suite shares unless someone gave a sheet a page style of its own.
SheetPage odsPage(std::string_view stylesXml);

}  // namespace grid::workbook
