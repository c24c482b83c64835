#include "app/edit/edit_commands.h"

#include <cstdint>
#include <string>

#include "app/edit/tab_separated_text.h"
#include "app/edit/table_change.h"
#include "app/state/app_state.h"
#include "app/state/undo_history.h"
#include "app/units/data_source_ref.h"
#include "app/units/grid_ref.h"
#include "app/units/main_menu_items.h"
#include "runtime/platform/clipboard_text.h"
#include "runtime/window/message_box.h"

namespace app {
namespace {

using namespace rt::message_box;

bool hasCells(const SelectedRange& range) {
    return range.row > 0 && range.column > 0 && range.rowCount > 0 && range.columnCount > 0;
}

// One cell goes as its text, so that 粘贴文本 gives back exactly what was copied;
// a block as tab-separated rows for other programs.
std::string selectionText(const DataSourceRef& table, const SelectedRange& range) {
    if (range.rowCount == 1 && range.columnCount == 1) return table.cellText(range.row, range.column);
    TabSeparatedText text;
    for (int32_t row = range.row; row <= range.lastRow(); ++row) {
        for (int32_t column = range.column; column <= range.lastColumn(); ++column) {
            text.addCell(table.cellText(row, column));
        }
        text.endRow();
    }
    return text.text();
}

void clearContents(const DataSourceRef& table, const SelectedRange& range) {
    table.clearCells(range.row, range.column, range.rowCount, range.columnCount);
    table.setCellKind(range.row, range.column, range.rowCount, range.columnCount, 1);
}

// Commands change nothing while the grid still holds an open edit: it is committed
// first, and becomes an undo state of its own.
void commitOpenEdit() { mainGrid().commitEdit(); }

}  // namespace

// A table without rows or columns still reports its first cell as selected; there
// is nothing under it to copy, and the buffer must keep what it had.
bool copySelection() {
    commitOpenEdit();
    SelectedRange range = mainGrid().selection();
    DataSourceRef table = mainDataSource();
    if (range.row <= 0 || range.column <= 0 || range.row > table.rowCount() || range.column > table.columnCount()) {
        rt::showMessageBox("请选择要复制的单元格", Ok | InformationIcon, "提示：");
        return false;
    }
    AppState& state = appState();
    state.copyBuffer = table.cellBlock(range.row, range.column, range.rowCount, range.columnCount);
    state.copyArea = {range.row, range.column, range.rowCount, range.columnCount};
    rt::setClipboardText(selectionText(table, range));
    return true;
}

void cutSelection() {
    commitOpenEdit();
    copySelection();
    SelectedRange range = mainGrid().selection();
    clearContents(mainDataSource(), range);
    if (hasCells(range)) recordTableChange();
}

void pasteCopiedCells() {
    const AppState& state = appState();
    const int32_t height = state.copyArea[2];
    const int32_t width = state.copyArea[3];
    if (state.copyBuffer.empty() || height <= 0 || width <= 0) return;
    commitOpenEdit();
    SelectedRange range = mainGrid().selection();
    DataSourceRef table = mainDataSource();
    bool pasted = false;
    // 64-bit ends, so that a huge selection times a tall block cannot wrap around.
    const int64_t lastRow = int64_t{range.row} + int64_t{range.rowCount} * height - 1;
    const int64_t lastColumn = int64_t{range.column} + int64_t{range.columnCount} * width - 1;
    for (int64_t row = range.row; row <= lastRow; row += height) {
        for (int64_t column = range.column; column <= lastColumn; column += width) {
            pasted |= table.putCellBlock(static_cast<int32_t>(row), static_cast<int32_t>(column), state.copyBuffer);
        }
    }
    if (pasted) recordTableChange();
}

void pasteClipboardText() {
    std::string text = rt::clipboardText();
    if (text.empty()) return;
    commitOpenEdit();
    SelectedRange range = mainGrid().selection();
    if (!hasCells(range)) return;
    DataSourceRef table = mainDataSource();
    for (int32_t row = range.row; row <= range.lastRow(); ++row) {
        for (int32_t column = range.column; column <= range.lastColumn(); ++column) {
            table.setCellText(row, column, text);
        }
    }
    recordTableChange();
}

void clearSelectedContents() {
    commitOpenEdit();
    SelectedRange range = mainGrid().selection();
    clearContents(mainDataSource(), range);
    if (hasCells(range)) recordTableChange();
}

void clearWholeTable() {
    if (rt::showMessageBox("确定清空表格吗？", YesNo | QuestionIcon, "询问：") != rt::MessageBoxAnswer::Yes) return;
    commitOpenEdit();
    DataSourceRef table = mainDataSource();
    SelectedRange whole{1, 1, table.rowCount(), table.columnCount()};
    clearContents(table, whole);
    if (hasCells(whole)) recordTableChange();
}

void mergeSelectedCells() {
    commitOpenEdit();
    SelectedRange range = mainGrid().selection();
    mainDataSource().mergeCells(range.row, range.column, range.rowCount, range.columnCount);
    if (hasCells(range)) recordTableChange();
}

void splitSelectedCell() {
    commitOpenEdit();
    SelectedRange range = mainGrid().selection();
    mainDataSource().splitCells(range.row, range.column);
    if (hasCells(range)) recordTableChange();
}

void insertRowAtSelection() {
    commitOpenEdit();
    if (mainDataSource().insertRows(mainGrid().selectionRow())) recordTableChange();
}

void insertColumnAtSelection() {
    commitOpenEdit();
    if (mainDataSource().insertColumns(mainGrid().selectionColumn())) recordTableChange();
}

void appendRow() {
    commitOpenEdit();
    if (mainDataSource().appendRows()) recordTableChange();
}

void deleteSelectedRows() {
    commitOpenEdit();
    SelectedRange range = mainGrid().selection();
    if (range.row > 0 && mainDataSource().deleteRows(range.row, range.rowCount)) recordTableChange();
}

void deleteSelectedColumns() {
    commitOpenEdit();
    SelectedRange range = mainGrid().selection();
    if (range.column > 0 && mainDataSource().deleteColumns(range.column, range.columnCount)) recordTableChange();
}

namespace {

// Rows or columns alike. The sum is taken in 64 bits: sizes near the 32-bit limit
// must not wrap into a negative average. Nothing selected leaves the sizes alone
// instead of dividing by 0.
void equalise(bool rows) {
    commitOpenEdit();
    SelectedRange range = mainGrid().selection();
    const int32_t first = rows ? range.row : range.column;
    const int32_t count = rows ? range.rowCount : range.columnCount;
    if (first <= 0 || count <= 0) return;
    DataSourceRef table = mainDataSource();
    int64_t sum = 0;
    for (int32_t index = first; index < first + count; ++index) {
        sum += rows ? table.rowHeight(index) : table.columnWidth(index);
    }
    const auto average = static_cast<int32_t>(sum / count);
    if (rows) {
        table.setRowHeight(first, count, average);
    } else {
        table.setColumnWidth(first, count, average);
    }
    recordTableChange();
}

}  // namespace

void equaliseRowHeights() { equalise(true); }

void equaliseColumnWidths() { equalise(false); }

// The table after Undo or Redo differs from the one last saved, so the document is
// modified: closing must ask rather than drop what the person now sees. A database
// table has no undo states: its edits were written at once.
void undoChange() {
    commitOpenEdit();
    AppState& state = appState();
    if (state.databaseConnected != 0) return;
    if (stepBack(state, mainDataSource())) {
        markTableModified();
        setMenuItemEnabled(main_menu_item::Redo, true);
    }
    if (state.undoPosition <= 1) setMenuItemEnabled(main_menu_item::Undo, false);
}

void redoChange() {
    commitOpenEdit();
    AppState& state = appState();
    if (state.databaseConnected != 0) return;
    if (stepForward(state, mainDataSource())) {
        markTableModified();
        setMenuItemEnabled(main_menu_item::Undo, true);
    }
    if (state.undoPosition >= static_cast<int32_t>(state.undoHistory.size())) {
        setMenuItemEnabled(main_menu_item::Redo, false);
    }
}

}  // namespace app
