// InsertRowColDialog: rows and columns inserted at the selection.
#include "app/edit/table_change.h"
#include "app/routines/routine.h"
#include "app/units/data_source_ref.h"
#include "app/units/dialog_unit.h"
#include "app/units/grid_ref.h"
#include "app/window_ids.h"
#include "runtime/value/number_text.h"
#include "runtime/window/unit_access.h"

namespace app::routines {

HandlerResult insertRowColCancel(const EventArguments&) {
    rt::destroyWindow(window_id::InsertRowColDialog);
    return {};
}

// The dialog stays open for more insertions; each one goes where the selection is at
// the moment of the press.
HandlerResult insertRowColConfirm(const EventArguments&) {
    constexpr uint32_t dialog = window_id::InsertRowColDialog;
    int32_t rows = rt::integerOf(DialogUnit(dialog, "编辑框1").text());
    int32_t columns = rt::integerOf(DialogUnit(dialog, "编辑框2").text());
    bool belowTable = DialogUnit(dialog, "选择框1").isChecked();
    GridRef grid = mainGrid();
    DataSourceRef table = mainDataSource();
    bool changed = false;
    if (rows > 0) {
        changed |= belowTable ? table.appendRows(rows) : table.insertRows(grid.selectionRow(), rows);
    }
    if (columns > 0) changed |= table.insertColumns(grid.selectionColumn(), columns);
    if (changed) recordTableChange();
    return {};
}

}  // namespace app::routines
