#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace grid::xlsx {

// The number a cell text stands for when the whole text is one decimal number (blanks
// around it and full-width digits allowed). Texts that an office suite would not give
// back unchanged stay texts: a leading zero ("0571"), more than 15 significant digits
// (identity and account numbers), and values beyond the double range.
std::optional<double> wholeNumberOf(std::string_view gbk);

struct SheetDate {
    // Days since the workbook's epoch with the time of day as fraction.
    double serial = 0;
    bool hasTime = false;
};

// A date-time cell's text as a workbook date. Days before 1900-03-01 have no
// unambiguous serial number in workbooks, so they stay texts.
std::optional<SheetDate> sheetDateOf(std::string_view gbk);

// GBK cell text as the workbook's UTF-8, with the table's CR LF and lone CR line
// breaks as the single LF that workbooks use.
std::string workbookText(std::string_view gbk);

// A workbook cell holds at most 32,767 characters; a longer text keeps its beginning,
// cut between characters.
inline constexpr size_t kMaxCellCharacters = 32'767;
std::string_view firstCharacters(std::string_view utf8, size_t count);

}  // namespace grid::xlsx
