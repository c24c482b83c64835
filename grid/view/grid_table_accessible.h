#pragma once

#include <QAccessibleWidget>
#include <cstdint>
#include <unordered_map>

#include "grid/model/cell_range.h"

namespace grid {

class GridCellAccessible;
class GridWidget;

// The grid as an accessible table. Its rows and columns are the table's, fixed ones
// included; the fixed rows and columns are the headers of the others. Child number
// row * columns + column is the cell there, as the AT-SPI bridge counts them.
//
// Cell objects are made only when asked for: a reader asks for the cells on screen
// and the current one, so a table of a million rows costs a few hundred objects.
// They are kept so that a reader sees the same object twice, and dropped when the
// table's shape changes or too many pile up.
class GridTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridTableAccessible(GridWidget* grid);
    ~GridTableAccessible() override;

    GridWidget* grid() const;
    // The cell object of the block that holds the cell; null outside the table.
    GridCellAccessible* cellOf(int32_t row, int32_t column) const;
    // The object of the current cell, the one the keyboard works on.
    GridCellAccessible* currentCell() const;
    // The cell objects made so far whose block meets the range.
    std::vector<GridCellAccessible*> madeCellsWithin(const CellRange& range) const;
    void forgetCells();

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::Role role() const override { return QAccessible::Table; }
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    // The grid always has a selection; taking one away is not something it does.
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    // Drops the cells that are neither on screen nor current once this many exist.
    static constexpr size_t kMostCells = 4096;
    void pruneCells() const;
    bool wholeLinesSelected(bool rows) const;

    mutable std::unordered_map<int64_t, QAccessible::Id> cells_;
};

}  // namespace grid
