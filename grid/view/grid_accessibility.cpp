#include "grid/view/grid_accessibility.h"

#include <QAccessible>

#include "grid/view/grid_cell_accessible.h"
#include "grid/view/grid_table_accessible.h"
#include "grid/view/grid_widget.h"

namespace grid {
namespace {

QAccessibleInterface* gridInterfaceFactory(const QString& className, QObject* object) {
    if (className != QLatin1String(GridWidget::staticMetaObject.className())) return nullptr;
    return new GridTableAccessible(static_cast<GridWidget*>(object));
}

// Asked only while a reader listens: asking makes the table's object.
GridTableAccessible* tableOf(GridWidget& grid) {
    if (!QAccessible::isActive()) return nullptr;
    return dynamic_cast<GridTableAccessible*>(QAccessible::queryAccessibleInterface(&grid));
}

}  // namespace

void installGridAccessibility() { QAccessible::installFactory(gridInterfaceFactory); }

void announceCurrentCell(GridWidget& grid) {
    if (!grid.hasFocus()) return;
    GridTableAccessible* table = tableOf(grid);
    GridCellAccessible* cell = table ? table->currentCell() : nullptr;
    if (!cell) return;
    QAccessibleEvent focus(cell, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

void announceChangedCells(GridWidget& grid, const CellRange& range) {
    GridTableAccessible* table = tableOf(grid);
    if (!table) return;
    for (GridCellAccessible* cell : table->madeCellsWithin(range)) cell->announceTextChange();
}

void forgetAccessibleCells(GridWidget& grid) {
    if (GridTableAccessible* table = tableOf(grid)) table->forgetCells();
}

}  // namespace grid
