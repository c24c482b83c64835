#include "app/filter/filter_commands.h"

#include <string>
#include <vector>

#include "app/edit/table_change.h"
#include "app/filter/table_filter.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "app/units/dialog_unit.h"
#include "app/units/grid_ref.h"
#include "app/window_ids.h"
#include "runtime/window/message_box.h"

namespace app {
namespace {

constexpr uint32_t kDialog = window_id::FilterDialog;

using namespace rt::message_box;

// The condition lines from top to bottom: their value boxes, list boxes, switches and
// labels.
struct ConditionLine {
    const char* valueBox;
    const char* choiceBox;
    const char* switchBox;
    FilterTest test;
    const char* label;
};

constexpr ConditionLine kLines[] = {
    {"编辑框1", "组合框1", "选择框1", FilterTest::Equal, "等于"},
    {"编辑框2", "组合框2", "选择框2", FilterTest::Greater, "大于"},
    {"编辑框3", "组合框3", "选择框3", FilterTest::Less, "小于"},
    {"编辑框4", "组合框4", "选择框4", FilterTest::Contains, "有此"},
    {"编辑框5", "组合框5", "选择框5", FilterTest::StartsWith, "左有"},
    {"编辑框6", "组合框6", "选择框6", FilterTest::EndsWith, "右有"},
};

std::string labelOf(FilterTest test) {
    for (const ConditionLine& line : kLines) {
        if (line.test == test) return line.label;
    }
    return {};
}

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

// The records of a database table are deleted in the database itself, and no
// snapshot can bring them back: the person agrees first. No is the default, and
// Escape answers neither Yes nor No.
bool confirmRecordDeletion(int32_t count) {
    return rt::showMessageBox("将从数据库中删除 " + std::to_string(count) + " 条记录，此操作不能撤销。是否继续？",
                              YesNo | QuestionIcon | SecondButtonDefault, "询问：") == rt::MessageBoxAnswer::Yes;
}

}  // namespace

void startFiltering() {
    const FilterRules rules = rulesFromDialog();
    // A pattern that does not compile never matches, so with "保留" every examined line
    // would go: nothing is filtered until the person corrects it.
    if (const FilterCondition* invalid = rules.invalidPattern()) {
        rt::showMessageBox(
            "“" + labelOf(invalid->test) + "”的值“" + invalid->value + "”不是有效的正则表达式，没有进行筛选。",
            Ok | ExclamationIcon, "提示：");
        return;
    }
    DataSourceRef table = mainDataSource();
    AppState& state = appState();
    const bool databaseShown = state.databaseConnected != 0;
    // The snapshot holds the in-memory table, which comes back on disconnecting; a
    // database table has none to keep.
    if (!databaseShown && state.filterSnapshot == 0) state.filterSnapshot = table.captureState();
    GridRef grid = mainGrid();
    bool byColumn = DialogUnit(kDialog, "单选框2").isChecked();
    int32_t deleted = byColumn ? filterTable(table, rules, FilterDirection::Columns, grid.selectionColumn(),
                                             grid.selectionRow())
                               : filterTable(table, rules, FilterDirection::Rows, grid.selectionRow(),
                                             grid.selectionColumn(),
                                             databaseShown ? DeletionCheck(confirmRecordDeletion) : DeletionCheck());
    if (deleted > 0) recordTableChange();
}

void undoFiltering() {
    AppState& state = appState();
    if (state.databaseConnected != 0) {
        rt::showMessageBox("从数据库中删除的记录不能用撤销筛选恢复。", Ok | InformationIcon, "提示：");
        return;
    }
    if (state.filterSnapshot == 0) return;
    DataSourceRef table = mainDataSource();
    // A snapshot that could not be put back is kept, so a later try may still work.
    if (!table.restoreState(state.filterSnapshot)) {
        rt::showMessageBox("无法恢复筛选前的表格，表格保持不变。", Ok | ErrorIcon, "错误：");
        return;
    }
    table.releaseState(state.filterSnapshot);
    state.filterSnapshot = 0;
    recordTableChange();
}

void discardFilterSnapshot() {
    AppState& state = appState();
    if (state.filterSnapshot == 0) return;
    mainDataSource().releaseState(state.filterSnapshot);
    state.filterSnapshot = 0;
}

}  // namespace app
