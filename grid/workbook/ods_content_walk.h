#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace grid::workbook {

// What the library leaves out when it reads the cells of an .ods workbook, found by
// walking its content part ourselves with the library's XML parser:
// - the text a cell shows: the library keeps a number's value without its format, and
//   drops percentages, currencies, times and truth values and all but the last line
//   of a text;
// - the merged ranges, which the library does not report at all.
// Positions count a cell hidden under a merged range as a cell, as the sheet shows it.
struct OdsShownText {
    int32_t row = 0;
    int32_t column = 0;
    std::string text;  // GBK, lines joined by CR LF
    bool isNumber = false;
};

struct OdsMerge {
    int32_t row = 0;
    int32_t column = 0;
    int32_t lastRow = 0;
    int32_t lastColumn = 0;
};

struct OdsSheetContent {
    std::vector<OdsShownText> texts;
    std::vector<OdsMerge> merges;
};

// One entry per sheet, in the workbook's order. Throws the library's parse error for
// content that is not well-formed XML.
std::vector<OdsSheetContent> walkOdsContent(std::string_view contentXml);

// The content part with every cell hidden under a merged range written as an ordinary
// empty cell, so that the library counts it and puts the cells after it in their
// columns.
std::string withCoveredCellsCounted(std::string_view contentXml);

}  // namespace grid::workbook
