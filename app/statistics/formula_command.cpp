#include "app/statistics/formula_command.h"

#include <optional>
#include <string>

#include "app/edit/table_change.h"
#include "app/statistics/formula.h"
#include "app/units/data_source_ref.h"
#include "app/units/grid_ref.h"

namespace app {

void computeFormulas() {
    GridRef grid = mainGrid();
    grid.commitEdit();
    const SelectedRange range = grid.selection();
    if (range.row <= 0 || range.column <= 0 || range.rowCount <= 0 || range.columnCount <= 0) return;
    DataSourceRef table = mainDataSource();
    const bool beside = table.cellText(range.row, range.lastColumn()).empty();
    const int32_t lastExpressionColumn = beside ? range.lastColumn() - 1 : range.lastColumn();
    bool wrote = false;
    NoticeBatch batch(table);
    for (int32_t row = range.row; row <= range.lastRow(); ++row) {
        for (int32_t column = range.column; column <= lastExpressionColumn; ++column) {
            // Evaluating only what stands before the first "=" keeps a second run
            // from reading an earlier result as part of the expression.
            const FormulaCell cell = formulaCellOf(table.cellText(row, column));
            if (cell.expression.empty()) continue;
            const std::optional<std::string> result = evaluateFormula(cell.expression);
            if (!result) continue;
            // A cell that already shows this result is left alone, so running the
            // command again changes nothing and records no undo state.
            const int32_t target = beside ? column + 1 : column;
            const std::string written = beside ? *result : cell.expression + "=" + *result;
            if (table.cellText(row, target) == written) continue;
            table.setCellText(row, target, written);
            wrote = true;
        }
    }
    if (wrote) recordTableChange();
}

}  // namespace app
