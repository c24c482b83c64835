#include "grid/workbook/cell_reference.h"

#include <optional>

#include "grid/model/limits.h"

namespace grid::workbook {
namespace {

using orcus::spreadsheet::src_address_t;
using orcus::spreadsheet::src_range_t;

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// One end of a reference: column letters, row digits, or both; -1 for a part left out.
struct End {
    int32_t row = -1;
    int32_t column = -1;
};

std::optional<End> readEnd(std::string_view text) {
    End end;
    size_t at = 0;
    if (at < text.size() && text[at] == '$') ++at;
    int64_t column = 0;
    size_t letters = 0;
    for (; at < text.size() && isLetter(text[at]) && letters < 4; ++at, ++letters) {
        column = column * 26 + ((text[at] & 0x1F));
    }
    if (letters > 0) {
        if (column > kMaxColumns) return std::nullopt;
        end.column = static_cast<int32_t>(column - 1);
    }
    if (at < text.size() && text[at] == '$') ++at;
    int64_t row = 0;
    size_t digits = 0;
    for (; at < text.size() && isDigit(text[at]) && digits < 8; ++at, ++digits) row = row * 10 + (text[at] - '0');
    if (digits > 0) {
        if (row < 1 || row > kMaxRows) return std::nullopt;
        end.row = static_cast<int32_t>(row - 1);
    }
    if (at != text.size() || (letters == 0 && digits == 0)) return std::nullopt;
    return end;
}

}  // namespace

src_address_t CellReferences::resolve_address(std::string_view address) {
    std::optional<End> end = readEnd(address);
    if (!end || end->row < 0 || end->column < 0) return {0, 0, 0};
    return {0, end->row, end->column};
}

// A list of ranges (a selection) is read as its first.
src_range_t CellReferences::resolve_range(std::string_view range) {
    std::string_view first = range.substr(0, range.find(' '));
    size_t colon = first.find(':');
    std::optional<End> start = readEnd(first.substr(0, colon));
    std::optional<End> stop = colon == std::string_view::npos ? start : readEnd(first.substr(colon + 1));
    if (!start || !stop) return {};
    End from = *start;
    End to = *stop;
    // A whole column runs over every row, a whole row over every column.
    if ((from.row < 0) != (to.row < 0) || (from.column < 0) != (to.column < 0)) return {};
    if (from.row < 0) {
        from.row = 0;
        to.row = kMaxRows - 1;
    }
    if (from.column < 0) {
        from.column = 0;
        to.column = kMaxColumns - 1;
    }
    return {{0, from.row, from.column}, {0, to.row, to.column}};
}

}  // namespace grid::workbook
