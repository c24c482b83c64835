#include "app/search/sort_command.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/edit/table_change.h"
#include "app/units/data_source_ref.h"
#include "app/units/dialog_unit.h"
#include "app/units/grid_ref.h"
#include "app/units/table_search_ref.h"
#include "app/window_ids.h"
#include "runtime/window/message_box.h"
#include "runtime/window/unit_access.h"

namespace app {
namespace {

constexpr uint32_t kDialog = window_id::SortDialog;
constexpr const char* kNoKey = "（无）";
// A long first-row text would make the list as wide as the screen.
constexpr size_t kShownTextBytes = 24;

struct KeyUnits {
    const char* columnList;
    const char* descending;
    bool optional;
};

constexpr KeyUnits kKeys[] = {
    {"组合框1", "单选框_降序1", false},
    {"组合框2", "单选框_降序2", true},
    {"组合框3", "单选框_降序3", true},
};

struct RowSpan {
    int32_t first;
    int32_t last;
};

RowSpan rowsToSort() {
    const SelectedRange selection = mainGrid().selection();
    if (selection.rowCount > 1) return {selection.row, selection.lastRow()};
    const SelectedRange body = mainTableBody();
    return {body.row, body.lastRow()};
}

// Cuts at a character boundary: a GBK lead byte has its high bit set.
std::string shortened(const std::string& text) {
    if (text.size() <= kShownTextBytes) return text;
    size_t end = 0;
    while (end < kShownTextBytes) {
        const size_t step = static_cast<unsigned char>(text[end]) >= 0x80 ? 2 : 1;
        if (end + step > kShownTextBytes) break;
        end += step;
    }
    return text.substr(0, end) + "…";
}

// The grid numbers the columns of its own tables and shows a database's field names.
std::string columnName(const std::string& title) {
    const bool numbered = !title.empty() && std::all_of(title.begin(), title.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
    return numbered ? "第" + title + "列" : title;
}

std::vector<std::string> columnNames() {
    const SelectedRange body = mainTableBody();
    const int32_t firstRow = rowsToSort().first;
    DataSourceRef table = mainDataSource();
    std::vector<std::string> names;
    for (int32_t column = body.column; column <= body.lastColumn(); ++column) {
        std::string name = columnName(mainTableColumnTitle(column));
        const std::string text = table.cellText(firstRow, column);
        if (!text.empty()) name += "（" + shortened(text) + "）";
        names.push_back(std::move(name));
    }
    return names;
}

std::vector<grid::SortColumn> chosenKeys() {
    const int32_t firstColumn = mainTableBody().column;
    std::vector<grid::SortColumn> keys;
    for (const KeyUnits& key : kKeys) {
        const int32_t item = DialogUnit(kDialog, key.columnList).selectedItem() - (key.optional ? 1 : 0);
        if (item < 0) continue;
        const int32_t column = firstColumn + item;
        if (std::any_of(keys.begin(), keys.end(), [column](grid::SortColumn k) { return k.column == column; })) {
            continue;
        }
        keys.push_back({column, DialogUnit(kDialog, key.descending).isChecked()});
    }
    return keys;
}

}  // namespace

void fillSortDialog() {
    const std::vector<std::string> names = columnNames();
    std::vector<std::string> withNone{kNoKey};
    withNone.insert(withNone.end(), names.begin(), names.end());
    for (const KeyUnits& key : kKeys) {
        DialogUnit list(kDialog, key.columnList);
        list.setItems(key.optional ? withNone : names);
        list.selectItem(0);
    }
}

void sortFromDialog() {
    GridRef grid = mainGrid();
    grid.commitEdit();
    const RowSpan rows = rowsToSort();
    const grid::SortOutcome outcome =
        sortMainTableRows(rows.first, rows.last, chosenKeys(), DialogUnit(kDialog, "选择框_标题行").isChecked());
    if (outcome != grid::SortOutcome::Sorted) {
        rt::showMessageBox(grid::sortRefusalText(outcome), rt::message_box::Ok | rt::message_box::ExclamationIcon,
                           "提示：");
        return;
    }
    recordTableChange();
    rt::destroyWindow(kDialog);
}

}  // namespace app
