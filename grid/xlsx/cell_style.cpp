#include "grid/xlsx/cell_style.h"

#include <xlsxwriter.h>

#include <cmath>
#include <cstdlib>

#include "grid/xlsx/cell_value.h"

namespace grid::xlsx {
namespace {

constexpr uint32_t kStyleFlags = CellFlags::kAlignmentMask | CellFlags::kEdgeLines |
                                 CellFlags::kSingleDiagonal | CellFlags::kDoubleDiagonal |
                                 CellFlags::kCrossLines | CellFlags::kFontStyleMask;
constexpr uint32_t kNoBackColor = 0xFF000000;
// The character set that makes office suites pick a Chinese face for the name.
constexpr uint8_t kChineseCharset = 134;

// Alignment codes 1-9 read as a keypad from the top-left: columns left, centre,
// right; rows top, middle, bottom. Other codes (the picture modes) are top-left.
void setAlignment(lxw_format* format, int code) {
    if (code < 1 || code > 9)
        code = 1;
    static constexpr uint8_t kHorizontal[] = {LXW_ALIGN_LEFT, LXW_ALIGN_CENTER, LXW_ALIGN_RIGHT};
    static constexpr uint8_t kVertical[] = {LXW_ALIGN_VERTICAL_TOP, LXW_ALIGN_VERTICAL_CENTER,
                                            LXW_ALIGN_VERTICAL_BOTTOM};
    format_set_align(format, kHorizontal[(code - 1) % 3]);
    format_set_align(format, kVertical[(code - 1) / 3]);
}

void setLines(lxw_format* format, uint32_t flags) {
    if (flags & CellFlags::kLeftLine)
        format_set_left(format, LXW_BORDER_THIN);
    if (flags & CellFlags::kTopLine)
        format_set_top(format, LXW_BORDER_THIN);
    if (flags & CellFlags::kRightLine)
        format_set_right(format, LXW_BORDER_THIN);
    if (flags & CellFlags::kBottomLine)
        format_set_bottom(format, LXW_BORDER_THIN);
    // The grid's double diagonal fans out from the top-left corner; workbooks have no
    // such line, and the single line down is the nearest.
    uint8_t diagonal = 0;
    if (flags & CellFlags::kSingleDiagonal) {
        diagonal = LXW_DIAGONAL_BORDER_DOWN;
    } else if (flags & CellFlags::kCrossLines) {
        diagonal = LXW_DIAGONAL_BORDER_UP_DOWN;
    } else if (flags & CellFlags::kDoubleDiagonal) {
        diagonal = LXW_DIAGONAL_BORDER_DOWN;
    }
    if (diagonal != 0) {
        format_set_diag_type(format, diagonal);
        format_set_diag_border(format, LXW_BORDER_THIN);
    }
}

// The library reads 0 as "no colour", so black has a value of its own.
lxw_color_t libraryColor(uint32_t tableColor) {
    uint32_t color = workbookColor(tableColor);
    return color == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : color;
}

}  // namespace

CellStyle CellStyle::of(const Cell& cell, NumberStyle number) {
    std::string_view face = cell.fontNameView();
    return {cell.flags() & kStyleFlags,
            cell.textColor(),
            cell.backColor(),
            std::string(face.empty() ? kDefaultFontName : face),
            std::abs(static_cast<int>(cell.fontSize())),
            number};
}

uint32_t workbookColor(uint32_t tableColor) {
    return ((tableColor & 0xFF) << 16) | (tableColor & 0xFF00) | ((tableColor >> 16) & 0xFF);
}

double fontPoints(int tableSize) {
    double points = tableSize * 72.0 / 254.0;
    return std::max(1.0, std::round(points * 2) / 2);
}

lxw_format* StyleBook::formatFor(const CellStyle& style) {
    auto found = formats_.find(style);
    if (found != formats_.end())
        return found->second;
    lxw_format* format = makeFormat(style);
    formats_.emplace(style, format);
    return format;
}

lxw_format* StyleBook::makeFormat(const CellStyle& style) {
    lxw_format* format = workbook_add_format(workbook_);
    format_set_font_name(format, workbookText(style.fontName).c_str());
    format_set_font_charset(format, kChineseCharset);
    format_set_font_size(format, fontPoints(style.fontSize));
    if (style.flags & CellFlags::kBold)
        format_set_bold(format);
    if (style.flags & CellFlags::kItalic)
        format_set_italic(format);
    if (style.flags & CellFlags::kUnderline)
        format_set_underline(format, LXW_UNDERLINE_SINGLE);
    if (style.flags & CellFlags::kStrikeout)
        format_set_font_strikeout(format);
    format_set_font_color(format, libraryColor(style.textColor));
    if (style.backColor != kNoBackColor) {
        format_set_pattern(format, LXW_PATTERN_SOLID);
        format_set_bg_color(format, libraryColor(style.backColor));
    }
    setAlignment(format, static_cast<int>(style.flags & CellFlags::kAlignmentMask));
    // The grid breaks a text that does not fit its cell into lines.
    format_set_text_wrap(format);
    setLines(format, style.flags);
    if (style.number == NumberStyle::Date) {
        format_set_num_format(format, workbookText("yyyy\"年\"m\"月\"d\"日\"").c_str());
    } else if (style.number == NumberStyle::DateTime) {
        format_set_num_format(format, workbookText("yyyy\"年\"m\"月\"d\"日\" hh:mm:ss").c_str());
    }
    return format;
}

}  // namespace grid::xlsx
