#include "grid/view/grid_widget.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cstdlib>

#include "grid/view/cell_editor.h"
#include "grid/view/cell_font.h"
#include "grid/view/merged_blocks.h"

namespace grid {
namespace {

constexpr int32_t kPageRows = 10;
constexpr int kWheelStep = 120;
// How near a boundary in a header the pointer grabs it.
constexpr int kBoundaryReach = 2;

}  // namespace

bool GridWidget::handleMoveKey(QKeyEvent* event) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const CellRange block = blockOf(*source_, selection_.endRow, selection_.endColumn);
    const int32_t firstRow = source_->provider()->fixedRows();
    const int32_t firstColumn = source_->provider()->fixedColumns();
    const int32_t lastRow = source_->rowCount() - 1;
    const int32_t lastColumn = source_->columnCount() - 1;
    int32_t row = block.row, column = block.column;
    switch (event->key()) {
        case Qt::Key_Up:
            if (control) return scrollTo(scrollRow() - 1, scrollColumn()), true;
            row = block.row - 1;
            break;
        case Qt::Key_Down:
            if (control) return scrollTo(scrollRow() + 1, scrollColumn()), true;
            row = block.lastRow() + 1;
            break;
        case Qt::Key_Left:
            if (control) return scrollTo(scrollRow(), scrollColumn() - 1), true;
            column = block.column - 1;
            break;
        case Qt::Key_Right:
            if (control) return scrollTo(scrollRow(), scrollColumn() + 1), true;
            column = block.lastColumn() + 1;
            break;
        case Qt::Key_PageUp: row = control ? firstRow : std::max(block.row - kPageRows, firstRow); break;
        case Qt::Key_PageDown: row = control ? lastRow : std::min(block.lastRow() + kPageRows, lastRow); break;
        case Qt::Key_Home:
            if (control) row = firstRow;
            column = firstColumn;
            break;
        case Qt::Key_End:
            if (control) row = lastRow;
            column = lastColumn;
            break;
        default: return false;
    }
    selectCell(row, column, shift);
    return true;
}

void GridWidget::keyPressEvent(QKeyEvent* event) {
    if (resizeDrag_) {
        if (event->key() == Qt::Key_Escape) finishResize(false);
        return;
    }
    if (!hasTable()) {
        event->ignore();
        return;
    }
    const Selection before = selection_;
    const bool control = event->modifiers() & Qt::ControlModifier;
    bool handled = handleMoveKey(event);
    if (!handled && control) {
        handled = true;
        switch (event->key()) {
            case Qt::Key_A: selectAll(); break;
            case Qt::Key_C: copySelection(); break;
            case Qt::Key_V: pasteFromClipboard(); break;
            default: handled = false;
        }
    }
    if (!handled) {
        const QString text = event->text();
        // Control characters never start an edit; a printable character does and
        // replaces the cell's text.
        if (!text.isEmpty() && text.front().unicode() >= 0x20 && text.front().unicode() != 0x7F && !control) {
            if (startEdit(text)) editor_->moveCursor(QTextCursor::End);
            handled = true;
        }
    }
    raiseMoves(before);
    if (!handled) event->ignore();
}

void GridWidget::inputMethodEvent(QInputMethodEvent* event) {
    if (!editor_) {
        const bool composing = !event->preeditString().isEmpty();
        if ((event->commitString().isEmpty() && !composing) || !startEdit(QString())) {
            event->ignore();
            return;
        }
        editor_->setAwaitingComposition(event->commitString().isEmpty());
    }
    QCoreApplication::sendEvent(editor_, event);
}

QVariant GridWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
        case Qt::ImEnabled: return hasTable();
        case Qt::ImCursorRectangle: {
            if (!hasTable()) return QRect();
            const CellRange range = selectedRange();
            return layout().rangeRect(blockOf(*source_, range.row, range.column)) & viewport()->rect();
        }
        case Qt::ImFont: {
            if (!hasTable()) return font();
            const CellRange range = selectedRange();
            std::optional<Cell> cell = source_->cellAt(range.row, range.column, false);
            if (!cell) return font();
            return cellFont(cell->fontNameView(), layoutState().scale.pixelsY(std::abs(cell->fontSize())), cell->flags());
        }
        case Qt::ImHints: return int(Qt::ImhNone);
        default: return QAbstractScrollArea::inputMethodQuery(query);
    }
}

std::optional<GridWidget::ResizeDrag> GridWidget::resizeBoundaryAt(QPoint position) const {
    if (!hasTable() || !hasFlag(GridFlags::kHeadersShown)) return std::nullopt;
    const GridLayout shown = layout();
    const bool inRowHeader = position.x() < shown.columns().headerSize() && position.y() >= shown.rows().headerSize();
    const bool inColumnHeader = position.y() < shown.rows().headerSize() && position.x() >= shown.columns().headerSize();
    if (inRowHeader && !hasFlag(GridFlags::kRowHeightsFixed)) {
        for (const LineSpan& span : shown.rows().shown()) {
            if (std::abs(span.end - position.y()) <= kBoundaryReach) return ResizeDrag{true, span.index, span.end, position.y()};
        }
    }
    if (inColumnHeader && !hasFlag(GridFlags::kColumnWidthsFixed)) {
        for (const LineSpan& span : shown.columns().shown()) {
            if (std::abs(span.end - position.x()) <= kBoundaryReach) {
                return ResizeDrag{false, span.index, span.end, position.x()};
            }
        }
    }
    return std::nullopt;
}

void GridWidget::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (resizeDrag_) {
        if (event->button() == Qt::RightButton) finishResize(false);
        return;
    }
    if (event->button() != Qt::LeftButton || !hasTable()) return;
    const QPoint position = event->position().toPoint();
    if ((resizeDrag_ = resizeBoundaryAt(position))) {
        viewport()->update();
        return;
    }
    std::optional<std::pair<int32_t, int32_t>> cell = cellAt(position);
    if (!cell) return;
    auto [row, column] = *cell;
    const bool inRowHeader = column == AxisLayout::kHeader;
    const bool inColumnHeader = row == AxisLayout::kHeader;
    if (inRowHeader || inColumnHeader) {
        if (!hasFlag(GridFlags::kHeadersShown) || !hasFlag(GridFlags::kMultiSelect)) return;
        // Header clicks finish at once, so they report the move at once.
        const Selection before = selection_;
        if (inRowHeader && inColumnHeader) {
            selectAll();
        } else if (inRowHeader) {
            selectRow(row);
        } else {
            selectColumn(column);
        }
        raiseMoves(before);
        return;
    }
    selectionAtPress_ = selection_;
    clickedCurrentCell_ = false;
    if (event->modifiers() & Qt::ShiftModifier) {
        selectCell(row, column, true);
    } else {
        selectCell(row, column);
        clickedCurrentCell_ = selection_.anchorRow == selectionAtPress_.anchorRow &&
                              selection_.anchorColumn == selectionAtPress_.anchorColumn;
    }
    mouseCaptured_ = true;
    mouseMoved_ = false;
}

void GridWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    if (resizeDrag_) {
        resizeDrag_->position = resizeDrag_->rows ? position.y() : position.x();
        viewport()->update();
        return;
    }
    if (!mouseCaptured_) {
        std::optional<ResizeDrag> boundary = resizeBoundaryAt(position);
        viewport()->setCursor(!boundary ? Qt::ArrowCursor : boundary->rows ? Qt::SizeVerCursor : Qt::SizeHorCursor);
        return;
    }
    mouseMoved_ = true;
    if (std::optional<std::pair<int32_t, int32_t>> cell = bodyCellNear(position)) {
        selectCell(cell->first, cell->second, true);
    }
    followDrag(position);
}

void GridWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (resizeDrag_) {
        if (event->button() != Qt::LeftButton) return;
        const QPoint position = event->position().toPoint();
        resizeDrag_->position = resizeDrag_->rows ? position.y() : position.x();
        finishResize(true);
        return;
    }
    if (!mouseCaptured_ || event->button() != Qt::LeftButton) return;
    mouseCaptured_ = false;
    if (clickedCurrentCell_ && !mouseMoved_) {
        startEdit();
        return;
    }
    if (std::optional<std::pair<int32_t, int32_t>> cell = bodyCellNear(event->position().toPoint())) {
        selectCell(cell->first, cell->second, true);
    }
    raiseMoves(selectionAtPress_);
}

void GridWidget::finishResize(bool apply) {
    const ResizeDrag drag = *resizeDrag_;
    resizeDrag_.reset();
    viewport()->update();
    if (!apply || !hasTable()) return;
    const LogicalScale scale = layoutState().scale;
    const int moved = drag.position - drag.boundary;
    const int32_t old = drag.rows ? source_->rowHeight(drag.index) : source_->columnWidth(drag.index);
    const int32_t size = std::max(old + (drag.rows ? scale.unitsY(moved) : scale.unitsX(moved)), kMinimumDraggedSize);
    if (size == old) return;
    if (drag.rows) {
        source_->setRowHeight(drag.index, 1, size);
        raise(GridEvent::RowHeightDragged, {drag.index + 1});
    } else {
        source_->setColumnWidth(drag.index, 1, size);
        raise(GridEvent::ColumnWidthDragged, {drag.index + 1});
    }
}

void GridWidget::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    wheelRemainder_ += event->angleDelta().y();
    const int steps = wheelRemainder_ / kWheelStep;
    wheelRemainder_ -= steps * kWheelStep;
    if (steps != 0) scrollTo(scrollRow() - steps, scrollColumn());
}

}  // namespace grid
