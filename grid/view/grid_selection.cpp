#include "grid/view/grid_widget.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QScrollBar>
#include <algorithm>
#include <vector>

#include "grid/view/grid_accessibility.h"
#include "grid/view/merged_blocks.h"

namespace grid {

void GridWidget::clampIntoBody(int32_t& row, int32_t& column) const {
    const DataProvider* provider = source_->provider();
    const int32_t lastRow = std::max(source_->rowCount() - 1, 0);
    const int32_t lastColumn = std::max(source_->columnCount() - 1, 0);
    // A table that is all fixed rows has no body; its last row is the nearest.
    row = std::clamp(row, std::min(provider->fixedRows(), lastRow), lastRow);
    column = std::clamp(column, std::min(provider->fixedColumns(), lastColumn), lastColumn);
}

// The selection from an anchor cell to a target cell: both clamped into the body,
// grown to whole merged blocks, with the anchor on the anchor's side of the grown
// rectangle and the end on the target's side.
Selection GridWidget::spanning(int32_t anchorRow, int32_t anchorColumn, int32_t targetRow,
                               int32_t targetColumn) const {
    clampIntoBody(anchorRow, anchorColumn);
    clampIntoBody(targetRow, targetColumn);
    const CellRange anchor = blockOf(*source_, anchorRow, anchorColumn);
    const CellRange target = blockOf(*source_, targetRow, targetColumn);
    const int32_t top = std::min(anchor.row, target.row);
    const int32_t left = std::min(anchor.column, target.column);
    const CellRange grown = growToWholeBlocks(
        *source_, {top, left, std::max(anchor.lastRow(), target.lastRow()) - top + 1,
                   std::max(anchor.lastColumn(), target.lastColumn()) - left + 1});
    Selection next;
    const bool upward = targetRow < anchorRow;
    next.anchorRow = upward ? grown.lastRow() : grown.row;
    next.endRow = upward ? grown.row : grown.lastRow();
    const bool leftward = targetColumn < anchorColumn;
    next.anchorColumn = leftward ? grown.lastColumn() : grown.column;
    next.endColumn = leftward ? grown.column : grown.lastColumn();
    return next;
}

QRect GridWidget::frameRect() const {
    if (!hasTable()) return {};
    return layout().rangeRect(selectedRange()).adjusted(-1, -1, 2, 2) & viewport()->rect();
}

void GridWidget::applySelection(const Selection& next) {
    viewport()->update(frameRect());
    const bool anchorMoves = next.anchorRow != selection_.anchorRow || next.anchorColumn != selection_.anchorColumn;
    selection_ = next;
    if (anchorMoves) announceCurrentCell(*this);
    viewport()->update(frameRect());
    if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void GridWidget::scrollIntoView(int32_t row, int32_t column) {
    const GridLayout shown = layout();
    scrollTo(shown.rows().scrollToShow(row),
             shown.columns().scrollToShow(column));
}

void GridWidget::selectCell(int32_t row, int32_t column, bool extend) {
    if (!hasTable()) return;
    if (extend && hasFlag(GridFlags::kMultiSelect)) {
        extendSelection(row, column);
        return;
    }
    clampIntoBody(row, column);
    const CellRange block = blockOf(*source_, row, column);
    const Selection next{block.row, block.column, block.lastRow(), block.lastColumn()};
    if (next == selection_) return;
    scrollIntoView(block.lastRow(), block.lastColumn());
    scrollIntoView(block.row, block.column);
    applySelection(next);
}

void GridWidget::moveCurrentCell(int32_t row, int32_t column) {
    const Selection before = selection_;
    selectCell(row, column);
    raiseMoves(before);
}

void GridWidget::extendSelection(int32_t row, int32_t column) {
    if (!hasTable()) return;
    const Selection next = spanning(selection_.anchorRow, selection_.anchorColumn, row, column);
    if (next == selection_) return;
    scrollIntoView(next.endRow, next.endColumn);
    applySelection(next);
}

void GridWidget::selectAll() {
    if (!hasTable() || !hasFlag(GridFlags::kMultiSelect)) return;
    scrollTo(0, 0);
    int32_t firstRow = 0, firstColumn = 0;
    clampIntoBody(firstRow, firstColumn);
    applySelection({source_->rowCount() - 1, source_->columnCount() - 1, firstRow, firstColumn});
}

void GridWidget::selectRow(int32_t row) {
    if (!hasTable()) return;
    selectCell(row, source_->columnCount() - 1);
    extendSelection(row, 0);
}

void GridWidget::selectColumn(int32_t column) {
    if (!hasTable()) return;
    selectCell(source_->rowCount() - 1, column);
    extendSelection(0, column);
}

void GridWidget::raise(GridEvent event, std::initializer_list<int32_t> arguments) {
    if (events_) events_->gridEvent(event, std::span<const int32_t>(arguments.begin(), arguments.size()));
}

void GridWidget::raiseMoves(const Selection& before) {
    const bool anchorMoved = before.anchorRow != selection_.anchorRow || before.anchorColumn != selection_.anchorColumn;
    const bool endMoved = before.endRow != selection_.endRow || before.endColumn != selection_.endColumn;
    if (anchorMoved) raise(GridEvent::AnchorMoved);
    if (endMoved) raise(GridEvent::EndMoved);
}

std::optional<std::pair<int32_t, int32_t>> GridWidget::cellAt(QPoint position) const {
    if (!hasTable()) return std::nullopt;
    const GridLayout shown = layout();
    std::optional<int32_t> row = shown.rows().indexAt(position.y());
    std::optional<int32_t> column = shown.columns().indexAt(position.x());
    if (!row || !column) return std::nullopt;
    return std::make_pair(*row, *column);
}

CellRange GridWidget::shownBody() const {
    if (!hasTable()) return {};
    const GridLayout shown = layout();
    auto lastShown = [](const AxisLayout& axis) {
        int32_t last = axis.firstBody() - 1;
        for (const LineSpan& line : axis.shown()) last = std::max(last, line.index);
        return last;
    };
    const int32_t firstRow = shown.rows().firstBody(), firstColumn = shown.columns().firstBody();
    return {firstRow, firstColumn, lastShown(shown.rows()) - firstRow + 1, lastShown(shown.columns()) - firstColumn + 1};
}

// Over a header, a fixed row or past the window's edge, a dragged selection reaches
// the nearest row or column shown in the body, not the first of the table.
std::optional<std::pair<int32_t, int32_t>> GridWidget::bodyCellNear(QPoint position) const {
    if (!hasTable()) return std::nullopt;
    const GridLayout shown = layout();
    const QRect body = shown.bodyBand();
    if (body.isEmpty()) return std::nullopt;
    std::optional<int32_t> row = shown.rows().indexAt(std::clamp(position.y(), body.top(), body.bottom()));
    std::optional<int32_t> column = shown.columns().indexAt(std::clamp(position.x(), body.left(), body.right()));
    if (!row || !column) return std::nullopt;
    return std::make_pair(*row, *column);
}

}  // namespace grid
