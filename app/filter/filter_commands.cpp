#include "app/filter/filter_commands.h"

#include <vector>

#include "app/edit/table_change.h"
#include "app/filter/table_filter.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "app/units/dialog_unit.h"
#include "app/units/grid_ref.h"
#include "app/window_ids.h"

namespace app {
namespace {

constexpr uint32_t kDialog = window_id::FilterDialog;

// The condition lines from top to bottom: their value boxes, list boxes and switches.
struct ConditionLine {
    const char* valueBox;
    const char* choiceBox;
    const char* switchBox;
    FilterTest test;
};

constexpr ConditionLine kLines[] = {
    {"编辑框1", "组合框1", "选择框1", FilterTest::Equal},
    {"编辑框2", "组合框2", "选择框2", FilterTest::Greater},
    {"编辑框3", "组合框3", "选择框3", FilterTest::Less},
    {"编辑框4", "组合框4", "选择框4", FilterTest::Contains},
    {"编辑框5", "组合框5", "选择框5", FilterTest::StartsWith},
    {"编辑框6", "组合框6", "选择框6", FilterTest::EndsWith},
};

FilterChoice choiceOf(const std::string& shown) {
    if (shown == "保留") return FilterChoice::Keep;
    if (shown == "删除") return FilterChoice::Delete;
    return FilterChoice::Neither;
}

FilterRules rulesFromDialog() {
    std::vector<FilterCondition> conditions;
    for (const ConditionLine& line : kLines) {
        if (!DialogUnit(kDialog, line.switchBox).isChecked()) continue;
        conditions.push_back({line.test, DialogUnit(kDialog, line.valueBox).text(),
                              choiceOf(DialogUnit(kDialog, line.choiceBox).text())});
    }
    return FilterRules(std::move(conditions), DialogUnit(kDialog, "选择框_大小写").isChecked());
}

}  // namespace

void startFiltering() {
    DataSourceRef table = mainDataSource();
    AppState& state = appState();
    if (state.filterSnapshot == 0) state.filterSnapshot = table.captureState();
    GridRef grid = mainGrid();
    bool byColumn = DialogUnit(kDialog, "单选框2").isChecked();
    int32_t deleted = byColumn ? filterTable(table, rulesFromDialog(), FilterDirection::Columns,
                                             grid.selectionColumn(), grid.selectionRow())
                               : filterTable(table, rulesFromDialog(), FilterDirection::Rows, grid.selectionRow(),
                                             grid.selectionColumn());
    if (deleted > 0) recordTableChange();
}

void undoFiltering() {
    AppState& state = appState();
    if (state.filterSnapshot == 0) return;
    DataSourceRef table = mainDataSource();
    bool restored = table.restoreState(state.filterSnapshot);
    table.releaseState(state.filterSnapshot);
    state.filterSnapshot = 0;
    if (restored) recordTableChange();
}

}  // namespace app
