// CellPropertiesDialog: font, size, style, margin and colours of the selected cells, applied at
// once.
#include <string>

#include "app/edit/table_change.h"
#include "app/routines/routine.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "app/units/dialog_unit.h"
#include "app/units/grid_ref.h"
#include "app/window_ids.h"
#include "runtime/value/number_text.h"
#include "runtime/window/unit_access.h"

namespace app::routines {
namespace {

constexpr uint32_t kDialog = window_id::CellPropertiesDialog;
constexpr const char* kFontSizeBox = "编辑框1";
constexpr const char* kMarginBox = "编辑框2";

struct StyleBox {
    const char* name;
    int32_t bit;
};
constexpr StyleBox kStyleBoxes[] = {{"选择框1", 1}, {"选择框2", 2}, {"选择框3", 4}, {"选择框4", 8}};

// The edit boxes report every write as a change, also the ones made while the dialog
// shows the first cell; those must not spread that cell's size and margin over the
// whole block, nor count as something the person did.
bool isFilling = false;

DialogUnit textColorPicker() {
    return DialogUnit(kDialog, "颜色选择器1");
}
DialogUnit backColorPicker() {
    return DialogUnit(kDialog, "颜色选择器2");
}
DialogUnit fontSizeBox() {
    return DialogUnit(kDialog, kFontSizeBox);
}
DialogUnit marginBox() {
    return DialogUnit(kDialog, kMarginBox);
}
DialogUnit fontNameBox() {
    return DialogUnit(kDialog, "组合框1");
}

SelectedRange dialogRange() {
    const auto& captured = appState().dialogSelection;
    return {captured[0], captured[1], captured[2], captured[3]};
}

// Runs one change over the range captured when the dialog opened and records it as
// one step of the document's history. The edit boxes apply every key at once, so
// typing 120 applies 1, 12 and 120: the keys in one box are one step together.
template <typename Change>
HandlerResult applyToDialogRange(Change change, std::string_view box = {}) {
    if (isFilling)
        return {};
    SelectedRange range = dialogRange();
    change(mainDataSource(), range);
    recordContinuedChange(box);
    return {};
}

}  // namespace

HandlerResult cellPropertiesCreated(const EventArguments&) {
    SelectedRange range = mainGrid().selection();
    appState().dialogSelection = {range.row, range.column, range.rowCount, range.columnCount};
    endContinuedChange();
    DataSourceRef table = mainDataSource();
    isFilling = true;
    textColorPicker().setColor(table.textColor(range.row, range.column));
    backColorPicker().setColor(table.backColor(range.row, range.column));
    fontSizeBox().setText(std::to_string(table.fontSize(range.row, range.column)));
    fontNameBox().setText(table.fontName(range.row, range.column));
    marginBox().setText(std::to_string(table.margin(range.row, range.column)));
    isFilling = false;
    shareEvents(kDialog, {"选择框2", "选择框3", "选择框4"}, "选择框1");
    int32_t style = table.fontStyle(range.row, range.column);
    for (const StyleBox& box : kStyleBoxes)
        DialogUnit(kDialog, box.name).setChecked((style & box.bit) != 0);
    return {};
}

// Shared by the four style boxes: the style is read from all of them, whichever was clicked.
HandlerResult fontStyleClicked(const EventArguments&) {
    return applyToDialogRange([](const DataSourceRef& table, const SelectedRange& range) {
        int32_t style = 0;
        for (const StyleBox& box : kStyleBoxes) {
            if (DialogUnit(kDialog, box.name).isChecked())
                style += box.bit;
        }
        table.setFontStyle(range.row, range.column, range.rowCount, range.columnCount, style);
    });
}

HandlerResult fontSizeChanged(const EventArguments&) {
    return applyToDialogRange(
        [](const DataSourceRef& table, const SelectedRange& range) {
            table.setFontSize(range.row, range.column, range.rowCount, range.columnCount,
                              rt::integerOf(fontSizeBox().text()));
        },
        kFontSizeBox);
}

HandlerResult marginChanged(const EventArguments&) {
    return applyToDialogRange(
        [](const DataSourceRef& table, const SelectedRange& range) {
            table.setMargin(range.row, range.column, range.rowCount, range.columnCount,
                            rt::integerOf(marginBox().text()));
        },
        kMarginBox);
}

HandlerResult fontNameSelected(const EventArguments&) {
    return applyToDialogRange([](const DataSourceRef& table, const SelectedRange& range) {
        table.setFontName(range.row, range.column, range.rowCount, range.columnCount,
                          fontNameBox().text());
    });
}

HandlerResult textColorChosen(const EventArguments&) {
    return applyToDialogRange([](const DataSourceRef& table, const SelectedRange& range) {
        table.setTextColor(range.row, range.column, range.rowCount, range.columnCount,
                           textColorPicker().color());
    });
}

HandlerResult backColorChosen(const EventArguments&) {
    return applyToDialogRange([](const DataSourceRef& table, const SelectedRange& range) {
        table.setBackColor(range.row, range.column, range.rowCount, range.columnCount,
                           backColorPicker().color());
    });
}

HandlerResult cellPropertiesClose(const EventArguments&) {
    rt::destroyWindow(kDialog);
    return {};
}

}  // namespace app::routines
