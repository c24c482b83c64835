#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <orcus/spreadsheet/import_interface.hpp>
#include <orcus/spreadsheet/import_interface_view.hpp>

#include "grid/model/table.h"
#include "grid/workbook/lost_content.h"
#include "grid/workbook/sheet_page.h"

namespace grid::workbook {

class WorkbookStyles;
struct SheetStyle;

// The shared texts of a workbook, kept in GBK as they arrive.
class SharedTexts : public orcus::spreadsheet::iface::import_shared_strings {
public:
    const std::string& at(size_t index) const;

    size_t append(std::string_view text) override;
    size_t add(std::string_view text) override { return append(text); }
    void set_segment_font(size_t) override {}
    void set_segment_bold(bool) override {}
    void set_segment_italic(bool) override {}
    void set_segment_font_name(std::string_view) override {}
    void set_segment_font_size(double) override {}
    void set_segment_font_color(orcus::spreadsheet::color_elem_t, orcus::spreadsheet::color_elem_t,
                                orcus::spreadsheet::color_elem_t, orcus::spreadsheet::color_elem_t) override {}
    void append_segment(std::string_view text) override { segments_ += text; }
    size_t commit_segments() override;

private:
    std::vector<std::string> texts_;
    std::string segments_;
};

// Why a sheet could not become a table.
enum class SheetFault { None, TooLarge, OutOfMemory };

// One sheet as the library reads it: values, cell formats, merged ranges, sizes and
// frozen panes are gathered first and turned into a table at the end, when the
// workbook's styles and the sheet's extent are known.
class SheetCollector : public orcus::spreadsheet::iface::import_sheet,
                       private orcus::spreadsheet::iface::import_sheet_properties,
                       private orcus::spreadsheet::iface::import_sheet_view,
                       private orcus::spreadsheet::iface::import_formula,
                       private orcus::spreadsheet::iface::import_array_formula {
public:
    SheetCollector(const SharedTexts& texts, LostContent& lost, const bool& date1904);

    // The table of this sheet, or the fault that stopped it.
    SheetFault build(WorkbookStyles& styles, Table& table);

    // What the library left out, found by other means: a cell's text as the sheet
    // shows it (placed like a number when it is one), and a merged range.
    void setShownText(int32_t row, int32_t column, std::string text, bool isNumber);
    void addMerge(int32_t row, int32_t column, int32_t lastRow, int32_t lastColumn);
    void setPage(const SheetPage& page) { page_ = page; }

    import_sheet_properties* get_sheet_properties() override { return this; }
    import_sheet_view* get_sheet_view() override { return this; }
    import_formula* get_formula() override { return this; }
    import_array_formula* get_array_formula() override { return this; }

    void set_auto(orcus::spreadsheet::row_t row, orcus::spreadsheet::col_t column, std::string_view text) override;
    void set_string(orcus::spreadsheet::row_t row, orcus::spreadsheet::col_t column,
                    orcus::spreadsheet::string_id_t index) override;
    void set_value(orcus::spreadsheet::row_t row, orcus::spreadsheet::col_t column, double value) override;
    void set_bool(orcus::spreadsheet::row_t row, orcus::spreadsheet::col_t column, bool value) override;
    void set_date_time(orcus::spreadsheet::row_t row, orcus::spreadsheet::col_t column, int year, int month, int day,
                       int hour, int minute, double second) override;
    void set_format(orcus::spreadsheet::row_t row, orcus::spreadsheet::col_t column, size_t cellFormat) override;
    void set_format(orcus::spreadsheet::row_t firstRow, orcus::spreadsheet::col_t firstColumn,
                    orcus::spreadsheet::row_t lastRow, orcus::spreadsheet::col_t lastColumn,
                    size_t cellFormat) override;
    void fill_down_cells(orcus::spreadsheet::row_t row, orcus::spreadsheet::col_t column,
                         orcus::spreadsheet::row_t count) override;
    orcus::spreadsheet::range_size_t get_sheet_size() const override;

private:
    enum class ValueKind : uint8_t { None, SharedText, OwnText, Number, ShownNumber, Boolean, Date };
    struct SheetCell {
        int32_t row = 0;
        int32_t column = 0;
        uint32_t cellFormat = 0;
        ValueKind kind = ValueKind::None;
        bool hasFormat = false;
        // The number, the date as the table's day count, or the index of the text.
        double number = 0;
    };
    struct FormatRange {
        int32_t firstRow, firstColumn, lastRow, lastColumn;
        uint32_t cellFormat;
    };
    struct Merge {
        int32_t firstRow, firstColumn, lastRow, lastColumn;
    };

    // The cell at this position, the last one again when the library names it twice in
    // a row; nothing past the table's limits.
    SheetCell* cellAt(int32_t row, int32_t column);
    void setValue(int32_t row, int32_t column, ValueKind kind, double number);
    bool inside(int64_t row, int64_t column);
    std::string textOf(const SheetCell& cell, const SheetStyle& style, bool& isDate) const;
    void fillCell(Cell& target, const SheetCell& source, WorkbookStyles& styles) const;

    // import_sheet_properties
    void set_column_width(orcus::spreadsheet::col_t column, double width, orcus::length_unit_t unit) override;
    void set_column_hidden(orcus::spreadsheet::col_t, bool hidden) override;
    void set_row_height(orcus::spreadsheet::row_t row, double height, orcus::length_unit_t unit) override;
    void set_row_hidden(orcus::spreadsheet::row_t, bool hidden) override;
    void set_merge_cell_range(const orcus::spreadsheet::range_t& range) override;

    // import_sheet_view
    void set_sheet_active() override {}
    void set_split_pane(double horizontal, double vertical, const orcus::spreadsheet::address_t&,
                        orcus::spreadsheet::sheet_pane_t) override;
    void set_frozen_pane(orcus::spreadsheet::col_t columns, orcus::spreadsheet::row_t rows,
                         const orcus::spreadsheet::address_t&, orcus::spreadsheet::sheet_pane_t) override;
    void set_selected_range(orcus::spreadsheet::sheet_pane_t, orcus::spreadsheet::range_t) override {}

    // import_formula: only the result the workbook kept is taken.
    void set_position(orcus::spreadsheet::row_t row, orcus::spreadsheet::col_t column) override;
    void set_formula(orcus::spreadsheet::formula_grammar_t, std::string_view) override {}
    void set_shared_formula_index(size_t) override {}
    void set_result_string(std::string_view text) override;
    void set_result_value(double value) override;
    void set_result_bool(bool value) override;
    void set_result_empty() override {}
    void commit() override {}

    // import_array_formula
    void set_range(const orcus::spreadsheet::range_t&) override {}
    void set_result_string(orcus::spreadsheet::row_t row, orcus::spreadsheet::col_t column,
                           std::string_view text) override;
    void set_result_value(orcus::spreadsheet::row_t row, orcus::spreadsheet::col_t column, double value) override;
    void set_result_bool(orcus::spreadsheet::row_t row, orcus::spreadsheet::col_t column, bool value) override;
    void set_result_empty(orcus::spreadsheet::row_t, orcus::spreadsheet::col_t) override {}

    const SharedTexts& sharedTexts_;
    LostContent& lost_;
    const bool& date1904_;
    std::vector<SheetCell> cells_;
    bool ordered_ = true;
    std::vector<std::string> ownTexts_;
    std::vector<FormatRange> formatRanges_;
    std::vector<Merge> merges_;
    std::vector<std::pair<int32_t, int32_t>> columnWidths_;
    std::vector<std::pair<int32_t, int32_t>> rowHeights_;
    SheetPage page_;
    int32_t frozenRows_ = 0;
    int32_t frozenColumns_ = 0;
    int32_t formulaRow_ = 0;
    int32_t formulaColumn_ = 0;
    bool tooLarge_ = false;
};

}  // namespace grid::workbook
