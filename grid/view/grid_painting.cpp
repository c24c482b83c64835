#include "grid/view/grid_widget.h"

#include <QPainter>
#include <set>
#include <utility>
#include <vector>

#include "grid/view/cell_font.h"
#include "grid/view/cell_painter.h"
#include "grid/view/merged_blocks.h"
#include "runtime/platform/gbk_codec.h"

namespace grid {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kGrey = 0x808080;
constexpr int32_t kHeaderFontHeight = 40;
constexpr int kFrameWidth = 2;

std::vector<LineSpan> spansIn(const std::vector<LineSpan>& shown, int first, int last) {
    std::vector<LineSpan> result;
    for (const LineSpan& span : shown) {
        // A span's closing line lies on its end, so it counts up to and with it.
        if (span.end >= first && span.start <= last) result.push_back(span);
    }
    return result;
}

QRect spanRect(const LineSpan& row, const LineSpan& column) {
    return QRect(QPoint(column.start, row.start), QPoint(column.end - 1, row.end - 1));
}

}  // namespace

// Everything is clipped to the invalid rectangle: the exclusive-or frame must be
// drawn exactly once over each pixel, also when a paint covers several rectangles.
void GridWidget::paintGrid(QPainter& painter, const QRect& invalid) {
    painter.setClipRect(invalid);
    painter.fillRect(invalid, colorOf(backColor_));
    if (!hasTable()) return;
    const GridLayout shown = layout();
    const bool headersShown = hasFlag(GridFlags::kHeadersShown);
    CellPaintOptions options;
    options.scale = shown.scale();
    options.gridBackColor = backColor_;
    options.lineColor = lineColor_;
    options.gridLinesShown = hasFlag(GridFlags::kGridLinesShown);
    options.addTableLines = source_->provider()->pageSettings().addTableLines == 1;
    CellPainter cells(painter, options, pictures_);

    const std::vector<LineSpan> rows = spansIn(shown.rows().shown(), invalid.top(), invalid.bottom());
    const std::vector<LineSpan> columns = spansIn(shown.columns().shown(), invalid.left(), invalid.right());

    // Each merged block is drawn once, from whichever of its cells comes first.
    std::set<std::pair<int32_t, int32_t>> blocksDrawn;
    struct DrawingCell {
        Cell cell;
        CellRange block;
        bool drawn = false;
    };
    auto drawingCellOf = [&](int32_t row, int32_t column, const Cell& cell, bool withContent) {
        DrawingCell result{cell, {row, column, 1, 1}};
        if (cell.flags() & CellFlags::kMergeMask) {
            result.block = blockOf(*source_, row, column);
            result.drawn = !blocksDrawn.insert({result.block.row, result.block.column}).second;
            if (!result.drawn && (result.block.row != row || result.block.column != column)) {
                result.cell = *source_->cellAt(result.block.row, result.block.column, withContent);
            }
        }
        return result;
    };

    // Backgrounds first, so that no cell's background covers a neighbour's line.
    for (const LineSpan& row : rows) {
        for (const LineSpan& column : columns) {
            std::optional<Cell> cell = source_->cellAt(row.index, column.index, false);
            DrawingCell drawing = drawingCellOf(row.index, column.index, *cell, false);
            if (drawing.drawn) continue;
            const bool fixed = shown.rows().isFixed(row.index) || shown.columns().isFixed(column.index);
            painter.setClipRect(shown.bandOf(row.index, column.index) & invalid);
            painter.fillRect(shown.wholeRangeRect(drawing.block), cells.backgroundOf(drawing.cell, fixed));
        }
    }
    blocksDrawn.clear();
    for (const LineSpan& row : rows) {
        for (const LineSpan& column : columns) {
            std::optional<Cell> cell = source_->cellAt(row.index, column.index, true);
            const bool fixed = shown.rows().isFixed(row.index) || shown.columns().isFixed(column.index);
            painter.setClipRect(shown.bandOf(row.index, column.index) & invalid);
            DrawingCell drawing = drawingCellOf(row.index, column.index, *cell, true);
            // Placed in the whole block, also where the window or the fixed area cuts
            // it, so that scrolling moves the contents with the cells.
            if (!drawing.drawn) {
                cells.drawContents(drawing.cell, shown.wholeRangeRect(drawing.block), drawing.block.row,
                                   drawing.block.column);
            }
            const QRect own = spanRect(row, column);
            const uint32_t flags = cell->flags();
            if (!(flags & CellFlags::kJoinedRight)) cells.drawEdge(flags, CellEdge::Right, own, fixed);
            if (!(flags & CellFlags::kJoinedBelow)) cells.drawEdge(flags, CellEdge::Bottom, own, fixed);
            if (!headersShown && column.index == 0) cells.drawEdge(flags, CellEdge::Left, own, fixed);
            if (!headersShown && row.index == 0) cells.drawEdge(flags, CellEdge::Top, own, fixed);
        }
    }
    painter.setClipRect(invalid);
    if (headersShown) {
        paintHeaders(painter, shown, invalid);
    } else {
        paintScrolledEdges(painter, shown);
    }
    paintSelectionFrame(painter, shown, invalid);
    if (resizeDrag_) paintResizeLine(painter, shown);
}

void GridWidget::paintHeaders(QPainter& painter, const GridLayout& shown, const QRect& invalid) {
    const QColor face = palette().color(QPalette::Button);
    const QColor white = colorOf(kWhite);
    const QColor grey = colorOf(kGrey);
    const int width = shown.columns().headerSize();
    const int height = shown.rows().headerSize();
    painter.setFont(cellFont({}, shown.scale().pixelsY(kHeaderFontHeight), 0));

    // A header's grey lines lie just past its rectangle.
    auto isInvalid = [&](const QRect& cell) { return invalid.intersects(cell.adjusted(0, 0, 1, 1)); };
    auto drawHeader = [&](const QRect& cell, bool whiteAlongTop, const QString& caption) {
        painter.fillRect(cell, face);
        if (whiteAlongTop) {
            drawSolidLine(painter, {cell.left(), cell.top() + 1}, {cell.right(), cell.top() + 1}, white);
        } else {
            drawSolidLine(painter, {cell.left() + 1, cell.top()}, {cell.left() + 1, cell.bottom()}, white);
        }
        drawSolidLine(painter, {cell.right() + 1, cell.top()}, {cell.right() + 1, cell.bottom() + 1}, grey);
        drawSolidLine(painter, {cell.left(), cell.bottom() + 1}, {cell.right() + 1, cell.bottom() + 1}, grey);
        if (!caption.isEmpty()) {
            painter.setPen(Qt::black);
            painter.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine, caption);
        }
    };
    if (isInvalid(QRect(0, 0, width, height))) drawHeader(QRect(0, 0, width, height), true, {});
    for (const LineSpan& column : shown.columns().shown()) {
        const QRect cell(QPoint(column.start, 0), QPoint(column.end - 1, height - 1));
        if (isInvalid(cell)) drawHeader(cell, false, rt::fromGbk(source_->provider()->columnTitle(column.index)));
    }
    for (const LineSpan& row : shown.rows().shown()) {
        const QRect cell(QPoint(0, row.start), QPoint(width - 1, row.end - 1));
        if (isInvalid(cell)) drawHeader(cell, true, QString::number(row.index + 1));
    }
}

// Without headers the edge of the body would have no line when scrolled: the line
// under (or right of) the last hidden row (column) is drawn along the client edge.
void GridWidget::paintScrolledEdges(QPainter& painter, const GridLayout& shown) {
    CellPaintOptions options;
    options.scale = shown.scale();
    options.lineColor = lineColor_;
    options.gridLinesShown = hasFlag(GridFlags::kGridLinesShown);
    options.addTableLines = source_->provider()->pageSettings().addTableLines == 1;
    CellPainter cells(painter, options, pictures_);
    if (shown.rows().fixedCount() == 0 && scrollRow() > 0) {
        const int32_t hidden = shown.rows().firstBody() - 1;
        for (const LineSpan& column : shown.columns().shown()) {
            const uint32_t flags = source_->cellAt(hidden, column.index, false)->flags();
            if (flags & CellFlags::kJoinedBelow) continue;
            cells.drawEdge(flags, CellEdge::Bottom, QRect(QPoint(column.start, -2), QPoint(column.end - 1, -1)),
                           shown.columns().isFixed(column.index));
        }
    }
    if (shown.columns().fixedCount() == 0 && scrollColumn() > 0) {
        const int32_t hidden = shown.columns().firstBody() - 1;
        for (const LineSpan& row : shown.rows().shown()) {
            const uint32_t flags = source_->cellAt(row.index, hidden, false)->flags();
            if (flags & CellFlags::kJoinedRight) continue;
            cells.drawEdge(flags, CellEdge::Right, QRect(QPoint(-2, row.start), QPoint(-1, row.end - 1)),
                           shown.rows().isFixed(row.index));
        }
    }
}

// The frame inverts what lies under it, as an exclusive-or with white: it shows on
// every background, and drawing it a second time gives the pixels back.
void GridWidget::paintSelectionFrame(QPainter& painter, const GridLayout& shown, const QRect& invalid) {
    const QRect selected = shown.rangeRect(selectedRange());
    const QRect outer(QPoint(selected.left() + 1, selected.top() + 1), QPoint(selected.right() + 1, selected.bottom() + 1));
    const QRect inner = outer.adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
    QRegion frame = QRegion(outer).subtracted(QRegion(inner)).intersected(shown.bodyBand() & invalid);
    if (frame.isEmpty()) return;
    painter.save();
    painter.setClipRegion(frame);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(outer, Qt::white);
    painter.restore();
}

void GridWidget::paintResizeLine(QPainter& painter, const GridLayout& shown) {
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 0, Qt::DotLine));
    const int right = shown.columns().shown().empty() ? 0 : shown.columns().shown().back().end;
    const int bottom = shown.rows().shown().empty() ? 0 : shown.rows().shown().back().end;
    if (resizeDrag_->rows) {
        painter.drawLine(0, resizeDrag_->position, std::min(right, viewport()->width()), resizeDrag_->position);
    } else {
        painter.drawLine(resizeDrag_->position, 0, resizeDrag_->position, std::min(bottom, viewport()->height()));
    }
    painter.restore();
}

}  // namespace grid
