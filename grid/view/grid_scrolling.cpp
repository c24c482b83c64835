#include "grid/view/grid_widget.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QScrollBar>
#include <algorithm>
#include <optional>
#include <utility>

#include "grid/view/merged_blocks.h"

namespace grid {
namespace {

// Pixels from the leading edge of row `from` to that of row `to` (from < to), or
// nothing when that is more than `limit`: then no pixel on screen can be reused.
std::optional<int> pixelsBetween(const AxisLayout& axis, int32_t from, int32_t to, int limit) {
    // Rows can be zero pixels high, so the count is bounded as well as the sum.
    if (to - from > limit)
        return std::nullopt;
    int total = 0;
    for (int32_t index = from; index < to; ++index) {
        total += axis.sizeOf(index);
        if (total > limit)
            return std::nullopt;
    }
    return total;
}

}  // namespace

int32_t GridWidget::scrollRow() const {
    return verticalScrollBar()->value();
}
int32_t GridWidget::scrollColumn() const {
    return horizontalScrollBar()->value();
}

void GridWidget::scrollTo(int32_t row, int32_t column) {
    verticalScrollBar()->setValue(std::max(row, 0));
    horizontalScrollBar()->setValue(std::max(column, 0));
}

void GridWidget::updateScrollRanges() {
    int32_t rows = 0, columns = 0;
    if (source_ && source_->provider()) {
        rows = std::max(source_->rowCount() - source_->provider()->fixedRows() - 1, 0);
        columns = std::max(source_->columnCount() - source_->provider()->fixedColumns() - 1, 0);
    }
    verticalScrollBar()->setRange(0, rows);
    horizontalScrollBar()->setRange(0, columns);
}

// dx and dy count columns and rows: the old position minus the new one.
void GridWidget::scrollContentsBy(int dx, int dy) {
    commitEdit();
    // The line of a dragged boundary stays under the pointer: it moves with no row.
    if (!hasTable() || resizeDrag_) {
        viewport()->update();
    } else {
        LayoutState before = layoutState();
        before.scrollRow += dy;
        before.scrollColumn += dx;
        const GridLayout after = layout();
        moveBody(GridLayout(*source_, before), after, dx != 0);
    }
    // The input method's candidate window follows the current cell.
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

// Moves the pixels of the rows (or columns) that stay on screen and repaints only
// what comes into view. The headers and fixed rows along the moving axis stay where
// they are. Everything drawn in the moving band belongs to one row (column) and
// moves with it, the exclusive-or selection frame included, and contents are placed
// in their whole cell or merged block wherever the window cuts it, so the moved
// pixels equal a fresh paint; pending repaints inside the band move with them.
void GridWidget::moveBody(const GridLayout& before, const GridLayout& after, bool horizontal) {
    const AxisLayout& axis = horizontal ? after.columns() : after.rows();
    const int32_t from = horizontal ? before.columns().firstBody() : before.rows().firstBody();
    const int32_t to = axis.firstBody();
    const QRect client = viewport()->rect();
    const int start = axis.bodyBandStart();
    const int extent = (horizontal ? client.width() : client.height()) - start;
    const std::optional<int> distance =
        pixelsBetween(axis, std::min(from, to), std::max(from, to), extent);
    if (extent <= 0 || !distance) {
        viewport()->update();
        return;
    }
    const int moved = to > from ? -*distance : *distance;
    const QRect band = horizontal ? QRect(start, 0, extent, client.height())
                                  : QRect(0, start, client.width(), extent);
    const QPoint offset = horizontal ? QPoint(moved, 0) : QPoint(0, moved);
    // Without a header or fixed rows, the line along the window's edge is the last
    // hidden row's: it belongs to none of the rows that move, neither where it was
    // nor where it is drawn now.
    const QRect edgeLine =
        horizontal ? QRect(0, 0, 1, client.height()) : QRect(0, 0, client.width(), 1);
    if (start == 0)
        viewport()->update(edgeLine);
    viewport()->scroll(offset.x(), offset.y(), band);
    if (start == 0)
        viewport()->update(edgeLine);
}

// The timer stops itself once the pointer is back over the body or the button is up.
void GridWidget::followDrag(QPoint pointer) {
    dragPointer_ = pointer;
    if (!autoScrollTimer_.isActive() && !layout().bodyBand().contains(pointer))
        autoScrollTimer_.start();
}

// Each step moves the selection's end one row (column) past its block towards the
// pointer; showing the new end scrolls the grid.
void GridWidget::autoScroll() {
    const std::optional<std::pair<int32_t, int32_t>> near = bodyCellNear(dragPointer_);
    const QRect body = hasTable() ? layout().bodyBand() : QRect();
    const int down = dragPointer_.y() < body.top() ? -1 : dragPointer_.y() > body.bottom() ? 1 : 0;
    const int right = dragPointer_.x() < body.left() ? -1 : dragPointer_.x() > body.right() ? 1 : 0;
    if (!mouseCaptured_ || !near || (down == 0 && right == 0)) {
        autoScrollTimer_.stop();
        return;
    }
    const CellRange end = blockOf(*source_, selection_.endRow, selection_.endColumn);
    const int32_t row = down < 0 ? end.row - 1 : down > 0 ? end.lastRow() + 1 : near->first;
    const int32_t column = right < 0   ? end.column - 1
                           : right > 0 ? end.lastColumn() + 1
                                       : near->second;
    selectCell(row, column, true);
}

}  // namespace grid
