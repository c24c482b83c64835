#include "app/search/find_commands.h"

#include <string>

#include "app/edit/table_change.h"
#include "app/state/app_state.h"
#include "app/units/dialog_unit.h"
#include "app/units/grid_ref.h"
#include "app/units/status_bar_ref.h"
#include "app/units/table_search_ref.h"
#include "app/window_ids.h"
#include "runtime/window/message_box.h"

namespace app {
namespace {

using namespace rt::message_box;

std::string searchedText(uint32_t dialog) { return DialogUnit(dialog, "编辑框_查找").text(); }

// False when there is nothing to look for: the empty text, or a regular expression
// that does not compile, which the person is told about.
bool readPattern(uint32_t dialog, grid::TextPattern& pattern) {
    const std::string text = searchedText(dialog);
    const grid::SearchOptions options{.matchCase = DialogUnit(dialog, "选择框_大小写").isChecked(),
                                      .wholeCell = DialogUnit(dialog, "选择框_完全匹配").isChecked(),
                                      .regularExpression = DialogUnit(dialog, "选择框_正则").isChecked()};
    if (pattern.create(text, options)) return true;
    if (!text.empty()) {
        rt::showMessageBox("“" + text + "”不是有效的正则表达式。", Ok | ExclamationIcon, "提示：");
    }
    return false;
}

grid::SearchOrder readOrder(uint32_t dialog) {
    return DialogUnit(dialog, "单选框_按列").isChecked() ? grid::SearchOrder::ByColumns : grid::SearchOrder::ByRows;
}

void tellNotFound(uint32_t dialog) {
    showFindStatus({});
    rt::showMessageBox("找不到“" + searchedText(dialog) + "”。", Ok | InformationIcon, "提示：");
}

void tellCount(const char* before, int64_t count, const char* after) {
    rt::showMessageBox(before + std::to_string(count) + after, Ok | InformationIcon, "提示：");
}

void findNextAfterCurrentCell(uint32_t dialog, const grid::TextPattern& pattern) {
    GridRef grid = mainGrid();
    const std::optional<FoundMatch> found =
        findNextInMainTable(pattern, readOrder(dialog), grid.selectionRow(), grid.selectionColumn());
    if (!found) return tellNotFound(dialog);
    grid.moveCurrentCell(found->row, found->column);
    showFindStatus(found->wrapped ? "已查找到表格末尾，从开头继续查找。" : "");
}

// A database's provider writes every changed field as it goes, and no undo state can
// bring the old values back.
bool agreesToDatabaseWrites(int64_t count) {
    return rt::showMessageBox("将在数据库中改写 " + std::to_string(count) + " 个字段，改写后不能撤销。是否继续？",
                              YesNo | QuestionIcon | SecondButtonDefault, "询问：") == rt::MessageBoxAnswer::Yes;
}

}  // namespace

void findNextMatch(uint32_t dialog) {
    mainGrid().commitEdit();
    grid::TextPattern pattern;
    if (readPattern(dialog, pattern)) findNextAfterCurrentCell(dialog, pattern);
}

void findAllMatches(uint32_t dialog) {
    mainGrid().commitEdit();
    grid::TextPattern pattern;
    if (!readPattern(dialog, pattern)) return;
    const std::vector<FoundMatch> matches = findAllInMainTable(pattern, readOrder(dialog));
    if (matches.empty()) return tellNotFound(dialog);
    mainGrid().moveCurrentCell(matches.front().row, matches.front().column);
    showFindStatus({});
    tellCount("共找到 ", static_cast<int64_t>(matches.size()), " 处。");
}

void replaceCurrentMatch() {
    constexpr uint32_t dialog = window_id::ReplaceDialog;
    GridRef grid = mainGrid();
    grid.commitEdit();
    grid::TextPattern pattern;
    if (!readPattern(dialog, pattern)) return;
    const std::string replacement = DialogUnit(dialog, "编辑框_替换").text();
    if (replaceInMainTableCell(grid.selectionRow(), grid.selectionColumn(), pattern, replacement)) {
        recordTableChange();
    }
    findNextAfterCurrentCell(dialog, pattern);
}

void replaceAllMatches() {
    constexpr uint32_t dialog = window_id::ReplaceDialog;
    GridRef grid = mainGrid();
    grid.commitEdit();
    grid::TextPattern pattern;
    if (!readPattern(dialog, pattern)) return;
    const SelectedRange selection = grid.selection();
    const SelectedRange area =
        static_cast<int64_t>(selection.rowCount) * selection.columnCount > 1 ? selection : mainTableBody();
    if (appState().databaseConnected != 0) {
        const int64_t count = countMatchesInMainTable(area, pattern);
        if (count == 0) return tellNotFound(dialog);
        if (!agreesToDatabaseWrites(count)) return;
    }
    const int64_t replaced =
        replaceAllInMainTable(area, pattern, DialogUnit(dialog, "编辑框_替换").text());
    if (replaced == 0) return tellNotFound(dialog);
    recordTableChange();
    showFindStatus({});
    tellCount("已替换 ", replaced, " 处。");
}

}  // namespace app
