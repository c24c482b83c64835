#include "grid/view/grid_table_accessible.h"

#include <QWidget>
#include <algorithm>
#include <climits>

#include "grid/view/grid_cell_accessible.h"
#include "grid/view/grid_widget.h"
#include "grid/view/merged_blocks.h"

namespace grid {
namespace {

int64_t keyOf(int32_t row, int32_t column) { return (int64_t{row} << 32) | static_cast<uint32_t>(column); }

bool meets(const CellRange& a, const CellRange& b) {
    return a.row <= b.lastRow() && b.row <= a.lastRow() && a.column <= b.lastColumn() && b.column <= a.lastColumn();
}

}  // namespace

GridTableAccessible::GridTableAccessible(GridWidget* grid) : QAccessibleWidget(grid, QAccessible::Table) {}

GridTableAccessible::~GridTableAccessible() { forgetCells(); }

GridWidget* GridTableAccessible::grid() const { return static_cast<GridWidget*>(widget()); }

void* GridTableAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

GridCellAccessible* GridTableAccessible::cellOf(int32_t row, int32_t column) const {
    const DataSrc* source = grid()->dataSource();
    if (!source || !source->containsCell(row, column)) return nullptr;
    const CellRange block = blockOf(*source, row, column);
    const int64_t key = keyOf(block.row, block.column);
    if (auto found = cells_.find(key); found != cells_.end()) {
        if (auto* cell = static_cast<GridCellAccessible*>(QAccessible::accessibleInterface(found->second))) return cell;
        cells_.erase(found);
    }
    pruneCells();
    auto* cell = new GridCellAccessible(grid(), block.row, block.column);
    cells_.emplace(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

GridCellAccessible* GridTableAccessible::currentCell() const {
    const Selection& selection = grid()->selection();
    return cellOf(selection.anchorRow, selection.anchorColumn);
}

std::vector<GridCellAccessible*> GridTableAccessible::madeCellsWithin(const CellRange& range) const {
    std::vector<GridCellAccessible*> within;
    for (const auto& [key, id] : cells_) {
        auto* cell = static_cast<GridCellAccessible*>(QAccessible::accessibleInterface(id));
        if (cell && meets(cell->block(), range)) within.push_back(cell);
    }
    return within;
}

void GridTableAccessible::forgetCells() {
    for (const auto& [key, id] : cells_) QAccessible::deleteAccessibleInterface(id);
    cells_.clear();
}

// A reader that walked the whole table would otherwise leave an object behind for
// every cell it passed.
void GridTableAccessible::pruneCells() const {
    if (cells_.size() < kMostCells) return;
    const GridWidget* shown = grid();
    const CellRange onScreen = shown->shownBody();
    const DataProvider* provider = shown->dataSource()->provider();
    const Selection& selection = shown->selection();
    for (auto it = cells_.begin(); it != cells_.end();) {
        auto* cell = static_cast<GridCellAccessible*>(QAccessible::accessibleInterface(it->second));
        const bool keep = cell && (meets(cell->block(), onScreen) || cell->row() < provider->fixedRows() ||
                                   cell->column() < provider->fixedColumns() ||
                                   (cell->row() == selection.anchorRow && cell->column() == selection.anchorColumn));
        if (keep) {
            ++it;
            continue;
        }
        QAccessible::deleteAccessibleInterface(it->second);
        it = cells_.erase(it);
    }
}

int GridTableAccessible::rowCount() const {
    const DataSrc* source = grid()->dataSource();
    return source ? source->rowCount() : 0;
}

int GridTableAccessible::columnCount() const {
    const DataSrc* source = grid()->dataSource();
    return source ? source->columnCount() : 0;
}

int GridTableAccessible::childCount() const {
    return static_cast<int>(std::min<int64_t>(int64_t{rowCount()} * columnCount(), INT_MAX));
}

QAccessibleInterface* GridTableAccessible::child(int index) const {
    const int columns = columnCount();
    if (index < 0 || columns == 0) return nullptr;
    return cellOf(index / columns, index % columns);
}

int GridTableAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* cell = dynamic_cast<const GridCellAccessible*>(child);
    if (!cell) return -1;
    const int64_t index = int64_t{cell->row()} * columnCount() + cell->column();
    return index <= INT_MAX ? static_cast<int>(index) : -1;
}

QAccessibleInterface* GridTableAccessible::childAt(int x, int y) const {
    const QPoint inViewport = grid()->viewport()->mapFromGlobal(QPoint(x, y));
    const std::optional<std::pair<int32_t, int32_t>> cell = grid()->cellAt(inViewport);
    return cell ? cellOf(cell->first, cell->second) : nullptr;
}

QAccessibleInterface* GridTableAccessible::focusChild() const {
    return grid()->hasFocus() ? currentCell() : nullptr;
}

QAccessibleInterface* GridTableAccessible::cellAt(int row, int column) const { return cellOf(row, column); }

int GridTableAccessible::selectedCellCount() const {
    const CellRange range = grid()->selectedRange();
    return static_cast<int>(std::min<int64_t>(int64_t{range.rowCount} * range.columnCount, INT_MAX));
}

// The selected blocks on screen and the current one: a whole selected column of a
// million rows would otherwise make a million objects for one question.
QList<QAccessibleInterface*> GridTableAccessible::selectedCells() const {
    QList<QAccessibleInterface*> selected;
    if (!grid()->dataSource()) return selected;
    const CellRange range = grid()->selectedRange();
    const CellRange onScreen = grid()->shownBody();
    const int32_t top = std::max(range.row, onScreen.row), bottom = std::min(range.lastRow(), onScreen.lastRow());
    const int32_t left = std::max(range.column, onScreen.column);
    const int32_t right = std::min(range.lastColumn(), onScreen.lastColumn());
    if (GridCellAccessible* current = currentCell()) selected.append(current);
    for (int32_t row = top; row <= bottom; ++row) {
        for (int32_t column = left; column <= right; ++column) {
            GridCellAccessible* cell = cellOf(row, column);
            if (cell && cell->row() == row && cell->column() == column && !selected.contains(cell)) selected.append(cell);
        }
    }
    return selected;
}

// A column is described by its header: the text of its top fixed row.
QString GridTableAccessible::columnDescription(int column) const {
    const DataProvider* provider = grid()->dataSource() ? grid()->dataSource()->provider() : nullptr;
    if (!provider || provider->fixedRows() == 0) return {};
    GridCellAccessible* header = cellOf(0, column);
    return header ? header->shownText() : QString();
}

QString GridTableAccessible::rowDescription(int row) const {
    const DataProvider* provider = grid()->dataSource() ? grid()->dataSource()->provider() : nullptr;
    if (!provider || provider->fixedColumns() == 0) return {};
    GridCellAccessible* header = cellOf(row, 0);
    return header ? header->shownText() : QString();
}

// Whole rows are selected when the selection spans every body column (the fixed
// ones are never selected), whole columns likewise.
bool GridTableAccessible::wholeLinesSelected(bool rows) const {
    const DataSrc* source = grid()->dataSource();
    if (!source || !source->provider()) return false;
    const CellRange range = grid()->selectedRange();
    return rows ? range.columnCount == source->columnCount() - source->provider()->fixedColumns()
                : range.rowCount == source->rowCount() - source->provider()->fixedRows();
}

int GridTableAccessible::selectedColumnCount() const {
    return wholeLinesSelected(false) ? grid()->selectedRange().columnCount : 0;
}

int GridTableAccessible::selectedRowCount() const {
    return wholeLinesSelected(true) ? grid()->selectedRange().rowCount : 0;
}

QList<int> GridTableAccessible::selectedColumns() const {
    QList<int> columns;
    const CellRange range = grid()->selectedRange();
    for (int32_t column = range.column; column < range.column + selectedColumnCount(); ++column) columns.append(column);
    return columns;
}

QList<int> GridTableAccessible::selectedRows() const {
    QList<int> rows;
    const CellRange range = grid()->selectedRange();
    for (int32_t row = range.row; row < range.row + selectedRowCount(); ++row) rows.append(row);
    return rows;
}

bool GridTableAccessible::isColumnSelected(int column) const {
    const CellRange range = grid()->selectedRange();
    return wholeLinesSelected(false) && column >= range.column && column <= range.lastColumn();
}

bool GridTableAccessible::isRowSelected(int row) const {
    const CellRange range = grid()->selectedRange();
    return wholeLinesSelected(true) && row >= range.row && row <= range.lastRow();
}

bool GridTableAccessible::selectRow(int row) {
    if (row < 0 || row >= rowCount()) return false;
    grid()->selectRow(row);
    return true;
}

bool GridTableAccessible::selectColumn(int column) {
    if (column < 0 || column >= columnCount()) return false;
    grid()->selectColumn(column);
    return true;
}

}  // namespace grid
