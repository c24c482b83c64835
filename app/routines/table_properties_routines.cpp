// TablePropertiesDialog: the settings of new tables and the sizes of the selected rows and columns.
#include <string>
#include <string_view>
#include <vector>

#include "app/edit/size_step.h"
#include "app/edit/table_change.h"
#include "app/routines/routine.h"
#include "app/settings/table_settings.h"
#include "app/units/data_source_ref.h"
#include "app/units/dialog_unit.h"
#include "app/units/grid_ref.h"
#include "app/window_ids.h"
#include "runtime/value/number_text.h"
#include "runtime/window/unit_access.h"

namespace app::routines {
namespace {

constexpr uint32_t kDialog = window_id::TablePropertiesDialog;
constexpr int32_t kEnterKey = 13;

// The "初始设置" boxes with their keys, in the order they are written to the file.
struct SettingBox {
    std::string_view key;
    std::string_view unitName;
    std::string_view TableDefaults::*fallback;
};
constexpr SettingBox kSettingBoxes[] = {
    {table_key::ColumnWidth, "编辑框2", &TableDefaults::columnWidth},
    {table_key::RowHeight, "编辑框1", &TableDefaults::rowHeight},
    {table_key::Rows, "编辑框4", &TableDefaults::rows},
    {table_key::Columns, "编辑框3", &TableDefaults::columns},
    {table_key::WindowWidth, "编辑框5", &TableDefaults::windowWidth},
    {table_key::WindowHeight, "编辑框6", &TableDefaults::windowHeight},
};

DialogUnit rowHeightBox() { return DialogUnit(kDialog, "编辑框7"); }
DialogUnit columnWidthBox() { return DialogUnit(kDialog, "编辑框8"); }

// The rows or the columns of the selection, with the data source's size commands.
struct SizeAxis {
    int32_t first;
    int32_t count;
    int32_t (DataSourceRef::*size)(int32_t) const;
    void (DataSourceRef::*setSize)(int32_t, int32_t, int32_t) const;
};

SizeAxis selectedRows() {
    GridRef grid = mainGrid();
    return {grid.selectionRow(), grid.selectionRowCount(), &DataSourceRef::rowHeight,
            &DataSourceRef::setRowHeight};
}

SizeAxis selectedColumns() {
    GridRef grid = mainGrid();
    return {grid.selectionColumn(), grid.selectionColumnCount(), &DataSourceRef::columnWidth,
            &DataSourceRef::setColumnWidth};
}

std::vector<int32_t> sizesOf(const SizeAxis& axis) {
    DataSourceRef table = mainDataSource();
    std::vector<int32_t> sizes;
    for (int32_t i = axis.first; i < axis.first + axis.count; ++i) sizes.push_back((table.*axis.size)(i));
    return sizes;
}

// A spin step often leaves the whole part, and so the table, as it was; only a real
// change becomes an undo state.
void applySize(const SizeAxis& axis, int32_t size) {
    std::vector<int32_t> before = sizesOf(axis);
    (mainDataSource().*axis.setSize)(axis.first, axis.count, size);
    if (sizesOf(axis) != before) recordTableChange();
}

HandlerResult sizeBoxKey(const EventArguments& arguments, const DialogUnit& box,
                         const SizeAxis& axis) {
    if (arguments[0] == kEnterKey) applySize(axis, appliedSize(rt::textToNumber(box.text())));
    return {};
}

HandlerResult sizeBoxSpin(const EventArguments& arguments, const DialogUnit& box,
                          const SizeAxis& axis) {
    float size = steppedSize(shownSize(box.text()), arguments[0]);
    applySize(axis, appliedSize(size));
    box.setText(sizeText(size));
    return {};
}

}  // namespace

HandlerResult tablePropertiesCreated(const EventArguments&) {
    rt::ProfileFile settings = settingsFile();
    for (const SettingBox& box : kSettingBoxes) {
        DialogUnit(kDialog, box.unitName)
            .setText(settings.read(table_key::Section, box.key,
                                   kPropertiesDialogDefaults.*box.fallback));
    }
    DataSourceRef table = mainDataSource();
    rowHeightBox().setText(std::to_string(table.rowHeight(1)));
    columnWidthBox().setText(std::to_string(table.columnWidth(1)));
    return {};
}

HandlerResult tableLineColorChosen(const EventArguments&) {
    mainGrid().setLineColor(DialogUnit(kDialog, "颜色选择器1").color());
    return {};
}

HandlerResult rowHeightBoxKey(const EventArguments& arguments) {
    return sizeBoxKey(arguments, rowHeightBox(), selectedRows());
}

HandlerResult rowHeightBoxSpin(const EventArguments& arguments) {
    return sizeBoxSpin(arguments, rowHeightBox(), selectedRows());
}

HandlerResult columnWidthBoxKey(const EventArguments& arguments) {
    return sizeBoxKey(arguments, columnWidthBox(), selectedColumns());
}

HandlerResult columnWidthBoxSpin(const EventArguments& arguments) {
    return sizeBoxSpin(arguments, columnWidthBox(), selectedColumns());
}

HandlerResult tablePropertiesCancel(const EventArguments&) {
    rt::destroyWindow(kDialog);
    return {};
}

// The texts go to the file as typed, unchecked: they are read with the number rules
// when the next table is made.
HandlerResult tablePropertiesConfirm(const EventArguments&) {
    rt::ProfileFile settings = settingsFile();
    for (const SettingBox& box : kSettingBoxes) {
        settings.write(table_key::Section, box.key, DialogUnit(kDialog, box.unitName).text());
    }
    rt::destroyWindow(kDialog);
    return {};
}

}  // namespace app::routines
