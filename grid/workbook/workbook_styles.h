#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <orcus/spreadsheet/import_interface.hpp>

#include "grid/model/cell_format.h"
#include "grid/workbook/package_repair.h"

namespace grid::workbook {

// What a cell of the workbook looks like in our terms: the format its cells take
// (flags without kind or merge links, colours, face, size, margin) and the number
// format code its numbers are shown with.
struct SheetStyle {
    CellFormat format;
    std::string numberCode;
    // The workbook leaves the side to the value: numbers to the right, texts to the left.
    bool generalHorizontal = true;
};

// The workbook's fonts, fills, borders, number formats and cell formats as the library
// hands them over, each a list in the order committed; a cell refers to a cell format
// by its number, which refers to the others by theirs. Numbers that point nowhere (a
// damaged file) give the defaults.
class WorkbookStyles : public orcus::spreadsheet::iface::import_styles {
public:
    // The style of the cell format with this number.
    const SheetStyle& styleOf(size_t cellFormat);
    // Font by font, what the library did not say of them.
    void setFontMarks(std::vector<FontMarks> marks) { fontMarks_ = std::move(marks); }

    void set_font_count(size_t) override {}
    void set_font_bold(bool bold) override { font_.bold = bold; }
    void set_font_italic(bool italic) override { font_.italic = italic; }
    void set_font_name(std::string_view name) override;
    void set_font_size(double points) override { font_.points = points; }
    void set_font_underline(orcus::spreadsheet::underline_t underline) override;
    void set_font_underline_width(orcus::spreadsheet::underline_width_t) override {}
    void set_font_underline_mode(orcus::spreadsheet::underline_mode_t) override {}
    void set_font_underline_type(orcus::spreadsheet::underline_type_t type) override;
    void set_font_underline_color(orcus::spreadsheet::color_elem_t, orcus::spreadsheet::color_elem_t,
                                  orcus::spreadsheet::color_elem_t, orcus::spreadsheet::color_elem_t) override {}
    void set_font_color(orcus::spreadsheet::color_elem_t alpha, orcus::spreadsheet::color_elem_t red,
                        orcus::spreadsheet::color_elem_t green, orcus::spreadsheet::color_elem_t blue) override;
    void set_strikethrough_style(orcus::spreadsheet::strikethrough_style_t style) override;
    void set_strikethrough_type(orcus::spreadsheet::strikethrough_type_t type) override;
    void set_strikethrough_width(orcus::spreadsheet::strikethrough_width_t) override {}
    void set_strikethrough_text(orcus::spreadsheet::strikethrough_text_t) override {}
    size_t commit_font() override;

    void set_fill_count(size_t) override {}
    void set_fill_pattern_type(orcus::spreadsheet::fill_pattern_t pattern) override { fill_.pattern = pattern; }
    void set_fill_fg_color(orcus::spreadsheet::color_elem_t alpha, orcus::spreadsheet::color_elem_t red,
                           orcus::spreadsheet::color_elem_t green, orcus::spreadsheet::color_elem_t blue) override;
    void set_fill_bg_color(orcus::spreadsheet::color_elem_t alpha, orcus::spreadsheet::color_elem_t red,
                           orcus::spreadsheet::color_elem_t green, orcus::spreadsheet::color_elem_t blue) override;
    size_t commit_fill() override;

    void set_border_count(size_t) override {}
    void set_border_style(orcus::spreadsheet::border_direction_t direction,
                          orcus::spreadsheet::border_style_t style) override;
    void set_border_color(orcus::spreadsheet::border_direction_t, orcus::spreadsheet::color_elem_t,
                          orcus::spreadsheet::color_elem_t, orcus::spreadsheet::color_elem_t,
                          orcus::spreadsheet::color_elem_t) override {}
    void set_border_width(orcus::spreadsheet::border_direction_t direction, double width,
                          orcus::length_unit_t unit) override;
    size_t commit_border() override;

    void set_cell_hidden(bool) override {}
    void set_cell_locked(bool) override {}
    void set_cell_print_content(bool) override {}
    void set_cell_formula_hidden(bool) override {}
    size_t commit_cell_protection() override { return 0; }

    void set_number_format_count(size_t) override {}
    void set_number_format_identifier(size_t id) override { numberFormatId_ = id; }
    void set_number_format_code(std::string_view code) override { numberCode_ = code; }
    size_t commit_number_format() override;

    void set_cell_xf_count(size_t) override {}
    void set_cell_style_xf_count(size_t) override {}
    void set_dxf_count(size_t) override {}
    void set_xf_font(size_t index) override { xf_.font = index; }
    void set_xf_fill(size_t index) override { xf_.fill = index; }
    void set_xf_border(size_t index) override { xf_.border = index; }
    void set_xf_protection(size_t) override {}
    void set_xf_number_format(size_t index) override { xf_.numberFormat = index; }
    void set_xf_style_xf(size_t index) override { xf_.styleXf = index; }
    void set_xf_apply_alignment(bool) override {}
    void set_xf_horizontal_alignment(orcus::spreadsheet::hor_alignment_t align) override { xf_.horizontal = align; }
    void set_xf_vertical_alignment(orcus::spreadsheet::ver_alignment_t align) override { xf_.vertical = align; }
    size_t commit_cell_xf() override;
    size_t commit_cell_style_xf() override;
    size_t commit_dxf() override;

    void set_cell_style_count(size_t) override {}
    void set_cell_style_name(std::string_view) override {}
    void set_cell_style_xf(size_t) override {}
    void set_cell_style_builtin(size_t) override {}
    void set_cell_style_parent_name(std::string_view) override {}
    size_t commit_cell_style() override { return cellStyles_++; }

private:
    struct Font {
        std::string name;  // GBK
        double points = 11;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikeout = false;
        uint32_t color = 0;
    };
    struct Fill {
        orcus::spreadsheet::fill_pattern_t pattern = orcus::spreadsheet::fill_pattern_t::none;
        std::optional<uint32_t> foreground;
        std::optional<uint32_t> background;
    };
    // The lines of a border as the table's line bits.
    struct Border {
        uint32_t lines = 0;
    };
    struct CellXf {
        size_t font = 0;
        size_t fill = 0;
        size_t border = 0;
        size_t numberFormat = 0;
        size_t styleXf = 0;
        orcus::spreadsheet::hor_alignment_t horizontal = orcus::spreadsheet::hor_alignment_t::unknown;
        orcus::spreadsheet::ver_alignment_t vertical = orcus::spreadsheet::ver_alignment_t::unknown;
    };

    SheetStyle resolve(const CellXf& xf) const;
    std::string numberCodeOf(size_t id) const;

    Font font_;
    Fill fill_;
    Border border_;
    CellXf xf_;
    size_t numberFormatId_ = SIZE_MAX;
    std::string numberCode_;

    std::vector<Font> fonts_;
    std::vector<FontMarks> fontMarks_;
    std::vector<Fill> fills_;
    std::vector<Border> borders_;
    std::unordered_map<size_t, std::string> numberCodes_;
    size_t nextNumberFormat_ = 0x10000;
    std::vector<CellXf> cellXfs_;
    std::vector<CellXf> styleXfs_;
    size_t dxfs_ = 0;
    size_t cellStyles_ = 0;
    // Resolved on first use, by cell format number.
    std::unordered_map<size_t, SheetStyle> resolved_;
};

}  // namespace grid::workbook
