#include "grid/workbook/workbook_styles.h"

#include <algorithm>
#include <cmath>

#include "grid/model/cell.h"
#include "grid/model/cell_flags.h"
#include "grid/model/limits.h"
#include "grid/workbook/number_display.h"
#include "runtime/platform/gbk_codec.h"

namespace grid::workbook {
namespace {

using namespace orcus::spreadsheet;

// Table colours keep red in the low byte.
uint32_t tableColor(color_elem_t red, color_elem_t green, color_elem_t blue) {
    return uint32_t{red} | uint32_t{green} << 8 | uint32_t{blue} << 16;
}

constexpr uint32_t kNoBackColor = 0xFF000000;

// Font sizes are kept in 0.1 mm; a size beyond what a cell can hold is the largest
// the field takes.
int16_t tableFontSize(double points) {
    if (!std::isfinite(points) || points <= 0) points = 11;
    return static_cast<int16_t>(std::clamp(std::lround(points * 254.0 / 72.0), 1L, 32767L));
}

// The nine alignments read as a keypad from the top-left; a workbook's default is at
// the bottom of the cell.
uint32_t alignmentCode(hor_alignment_t horizontal, ver_alignment_t vertical) {
    int column = 0;
    if (horizontal == hor_alignment_t::center || horizontal == hor_alignment_t::distributed) column = 1;
    if (horizontal == hor_alignment_t::right) column = 2;
    int row = 2;
    if (vertical == ver_alignment_t::top) row = 0;
    if (vertical == ver_alignment_t::middle || vertical == ver_alignment_t::justified ||
        vertical == ver_alignment_t::distributed) {
        row = 1;
    }
    return static_cast<uint32_t>(row * 3 + column + 1);
}

template <typename Item>
const Item& itemAt(const std::vector<Item>& items, size_t index) {
    static const Item kDefault{};
    return index < items.size() ? items[index] : kDefault;
}

}  // namespace

void WorkbookStyles::set_font_name(std::string_view name) { font_.name = rt::utf8ToGbk(name); }

void WorkbookStyles::set_font_underline(underline_t underline) { font_.underline = underline != underline_t::none; }

void WorkbookStyles::set_font_underline_type(underline_type_t type) {
    if (type != underline_type_t::none) font_.underline = true;
}

void WorkbookStyles::set_font_color(color_elem_t, color_elem_t red, color_elem_t green, color_elem_t blue) {
    font_.color = tableColor(red, green, blue);
}

void WorkbookStyles::set_strikethrough_style(strikethrough_style_t style) {
    font_.strikeout = style != strikethrough_style_t::none;
}

void WorkbookStyles::set_strikethrough_type(strikethrough_type_t type) {
    if (type == strikethrough_type_t::single || type == strikethrough_type_t::double_type) font_.strikeout = true;
}

size_t WorkbookStyles::commit_font() {
    if (fonts_.size() < fontMarks_.size()) {
        font_.strikeout = font_.strikeout || fontMarks_[fonts_.size()].strikeout;
        font_.underline = font_.underline || fontMarks_[fonts_.size()].underline;
    }
    fonts_.push_back(std::exchange(font_, Font{}));
    return fonts_.size() - 1;
}

void WorkbookStyles::set_fill_fg_color(color_elem_t, color_elem_t red, color_elem_t green, color_elem_t blue) {
    fill_.foreground = tableColor(red, green, blue);
}

void WorkbookStyles::set_fill_bg_color(color_elem_t, color_elem_t red, color_elem_t green, color_elem_t blue) {
    fill_.background = tableColor(red, green, blue);
}

size_t WorkbookStyles::commit_fill() {
    fills_.push_back(std::exchange(fill_, Fill{}));
    return fills_.size() - 1;
}

void WorkbookStyles::set_border_style(border_direction_t direction, border_style_t style) {
    uint32_t line = 0;
    switch (direction) {
        case border_direction_t::top: line = CellFlags::kTopLine; break;
        case border_direction_t::bottom: line = CellFlags::kBottomLine; break;
        case border_direction_t::left: line = CellFlags::kLeftLine; break;
        case border_direction_t::right: line = CellFlags::kRightLine; break;
        case border_direction_t::diagonal:
        case border_direction_t::diagonal_tl_br: line = CellFlags::kSingleDiagonal; break;
        // The grid has no line rising alone; the crossed pair keeps it visible.
        case border_direction_t::diagonal_bl_tr: line = CellFlags::kCrossLines; break;
        default: return;
    }
    if (style == border_style_t::none || style == border_style_t::unknown) {
        border_.lines &= ~line;
    } else {
        border_.lines |= line;
    }
}

void WorkbookStyles::set_border_width(border_direction_t direction, double width, orcus::length_unit_t) {
    // A line of no width is no line, whatever its style said.
    if (width <= 0) set_border_style(direction, border_style_t::none);
}

size_t WorkbookStyles::commit_border() {
    Border border = std::exchange(border_, Border{});
    // Both diagonals are the crossed pair.
    if ((border.lines & CellFlags::kSingleDiagonal) && (border.lines & CellFlags::kCrossLines)) {
        border.lines &= ~CellFlags::kSingleDiagonal;
    }
    borders_.push_back(border);
    return borders_.size() - 1;
}

// A workbook names its own number formats by the number its cell formats use; the
// other kind of workbook only lists them, so those get numbers of our own beyond the
// built-in ones.
size_t WorkbookStyles::commit_number_format() {
    size_t id = numberFormatId_ != SIZE_MAX ? numberFormatId_ : nextNumberFormat_++;
    numberCodes_[id] = std::exchange(numberCode_, {});
    numberFormatId_ = SIZE_MAX;
    return id;
}

size_t WorkbookStyles::commit_cell_xf() {
    cellXfs_.push_back(std::exchange(xf_, CellXf{}));
    return cellXfs_.size() - 1;
}

size_t WorkbookStyles::commit_cell_style_xf() {
    styleXfs_.push_back(std::exchange(xf_, CellXf{}));
    return styleXfs_.size() - 1;
}

size_t WorkbookStyles::commit_dxf() {
    xf_ = CellXf{};
    return dxfs_++;
}

std::string WorkbookStyles::numberCodeOf(size_t id) const {
    if (auto found = numberCodes_.find(id); found != numberCodes_.end()) return found->second;
    if (id <= UINT32_MAX) return std::string(builtinNumberFormat(static_cast<uint32_t>(id)));
    return {};
}

SheetStyle WorkbookStyles::resolve(const CellXf& xf) const {
    const Font& font = itemAt(fonts_, xf.font);
    const Fill& fill = itemAt(fills_, xf.fill);
    SheetStyle style;
    CellFormat& format = style.format;
    format.flags = alignmentCode(xf.horizontal, xf.vertical) | itemAt(borders_, xf.border).lines;
    if (font.bold) format.flags |= CellFlags::kBold;
    if (font.italic) format.flags |= CellFlags::kItalic;
    if (font.underline) format.flags |= CellFlags::kUnderline;
    if (font.strikeout) format.flags |= CellFlags::kStrikeout;
    format.textColor = font.color;
    format.fontSize = tableFontSize(font.points);
    if (!font.name.empty()) {
        format.fontName = storedFontName(font.name.size() <= static_cast<size_t>(kMaxFontNameLength)
                                             ? std::string_view(font.name)
                                             : kDefaultFontName);
    }
    // A solid fill shows its foreground; a patterned one is nearest its background.
    if (fill.pattern == fill_pattern_t::solid) {
        format.backColor = fill.foreground.value_or(fill.background.value_or(kNoBackColor));
    } else if (fill.pattern != fill_pattern_t::none) {
        format.backColor = fill.background.value_or(fill.foreground.value_or(kNoBackColor));
    } else {
        format.backColor = kNoBackColor;
    }
    style.generalHorizontal = xf.horizontal == hor_alignment_t::unknown;
    size_t numberFormat = xf.numberFormat;
    if (numberFormat == 0 && xf.styleXf < styleXfs_.size()) numberFormat = styleXfs_[xf.styleXf].numberFormat;
    style.numberCode = numberCodeOf(numberFormat);
    return style;
}

const SheetStyle& WorkbookStyles::styleOf(size_t cellFormat) {
    auto found = resolved_.find(cellFormat);
    if (found == resolved_.end()) {
        found = resolved_.emplace(cellFormat, resolve(itemAt(cellXfs_, cellFormat))).first;
    }
    return found->second;
}

}  // namespace grid::workbook
