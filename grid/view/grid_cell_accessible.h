#pragma once

#include <QAccessible>
#include <QPointer>
#include <cstdint>

#include "grid/model/cell_range.h"

namespace grid {

class GridWidget;

// One cell of the grid as assistive technology sees it: a merged block is one cell at
// its top-left corner with the block's spans. It reads the table afresh on every
// question, so it never shows a stale text; it remembers only the text it last
// announced (or had when it was made), to tell what an edit changed.
class GridCellAccessible : public QAccessibleInterface,
                           public QAccessibleTableCellInterface,
                           public QAccessibleTextInterface {
public:
    GridCellAccessible(GridWidget* grid, int32_t row, int32_t column);

    int32_t row() const { return row_; }
    int32_t column() const { return column_; }
    // The block as the table holds it now.
    CellRange block() const;
    // The text a screen reader reads: the cell's text, "图片" for a picture.
    QString shownText() const;
    // Sends the text events of an edit when the text differs from the one last read.
    void announceTextChange();

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override { return headerCells(true); }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return headerCells(false); }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return block().columnCount; }
    int rowExtent() const override { return block().rowCount; }
    QAccessibleInterface* table() const override { return parent(); }

    // A cell's text is read, never selected or edited through here: editing goes
    // through the grid's in-place editor, as with the keyboard.
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override { return static_cast<int>(shownText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override;

private:
    QList<QAccessibleInterface*> headerCells(bool ofColumn) const;

    QPointer<GridWidget> grid_;
    int32_t row_;
    int32_t column_;
    QString announced_;
};

}  // namespace grid
