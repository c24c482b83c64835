#include <QKeyEvent>
#include <algorithm>

#include "grid/view/grid_widget.h"
#include "grid/view/merged_blocks.h"

namespace grid {

// Without this, Qt would take Tab to move the focus to the toolbar and the cell
// cursor would vanish, so nobody could fill a form from the keyboard alone.
bool GridWidget::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            pressTab(key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier),
                     key->modifiers() & Qt::ControlModifier);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void GridWidget::pressTab(bool backward, bool withControl) {
    commitEdit();
    if (withControl) {
        focusNextPrevChild(!backward);
        return;
    }
    if (!hasTable()) return;
    std::optional<std::pair<int32_t, int32_t>> next = nextInReadingOrder(backward);
    if (!next) return;
    const Selection before = selection_;
    selectCell(next->first, next->second);
    raiseMoves(before);
}

// Each block counts once, at its top-left cell (taken into the body when the block
// reaches into the fixed rows or columns). Counting its other cells too would send
// Tab at the end of a row back into a block that spans two rows, over and over.
std::optional<std::pair<int32_t, int32_t>> GridWidget::nextInReadingOrder(bool backward) const {
    const int32_t firstRow = source_->provider()->fixedRows();
    const int32_t firstColumn = source_->provider()->fixedColumns();
    const int32_t lastRow = source_->rowCount() - 1;
    const int32_t lastColumn = source_->columnCount() - 1;
    auto leadingCell = [&](const CellRange& block) {
        return std::make_pair(std::max(block.row, firstRow), std::max(block.column, firstColumn));
    };
    const auto [currentRow, currentColumn] = leadingCell(blockOf(*source_, selection_.endRow, selection_.endColumn));
    const int32_t step = backward ? -1 : 1;
    const int32_t rowStart = backward ? lastColumn : firstColumn;
    int32_t column = currentColumn + step;
    for (int32_t row = currentRow; row >= firstRow && row <= lastRow; row += step, column = rowStart) {
        for (; column >= firstColumn && column <= lastColumn; column += step) {
            const CellRange block = blockOf(*source_, row, column);
            if (block.isEmpty()) continue;
            const auto [leadingRow, leadingColumn] = leadingCell(block);
            if (leadingRow == row && leadingColumn == column) return std::make_pair(row, column);
            // The rest of this block's width on this row is no target either, except
            // its leading cell when a backward scan reaches it from the right.
            if (!backward) {
                column = block.lastColumn();
            } else if (leadingColumn < column) {
                column = leadingRow == row ? leadingColumn + 1 : leadingColumn;
            }
        }
    }
    return std::nullopt;
}

}  // namespace grid
