#include "grid/view/grid_widget.h"

#include <QAccessible>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "grid/view/cell_editor.h"
#include "grid/view/grid_accessibility.h"
#include "grid/view/merged_blocks.h"
#include "grid/view/qt_text_measurer.h"

namespace grid {
namespace {

constexpr int kVerticalPageRows = 10;
constexpr int kHorizontalPageColumns = 5;
// The header font is "宋体" at 4 mm; the headers hold seven digits with a margin.
constexpr int32_t kHeaderFontHeight = 40;
constexpr int32_t kHeaderMargin = 18;
// A dragged selection moves on by one row or column this often past the edge.
constexpr int kAutoScrollMilliseconds = 50;

}  // namespace

GridWidget::GridWidget(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(kVerticalPageRows);
    horizontalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setPageStep(kHorizontalPageColumns);
    autoScrollTimer_.setInterval(kAutoScrollMilliseconds);
    connect(&autoScrollTimer_, &QTimer::timeout, this, &GridWidget::autoScroll);
    measureHeaders();
    updateScrollRanges();
}

GridWidget::~GridWidget() {
    if (editor_) editor_->disconnect(this);
    if (source_) source_->removeView(this);
}

void GridWidget::measureHeaders() {
    TextExtent extent = QtTextMeasurer().measure(kDefaultFontName, kHeaderFontHeight, "1234567");
    headerWidth_ = extent.width + kHeaderMargin;
    headerHeight_ = extent.height + kHeaderMargin;
}

bool GridWidget::hasTable() const { return source_ && source_->rowCount() > 0 && source_->columnCount() > 0; }

void GridWidget::setDataSource(DataSrc* source) {
    if (source == source_) return;
    closeEditor();
    if (source_) source_->removeView(this);
    source_ = source;
    if (source_) source_->addView(this);
    resetView();
}

void GridWidget::resetView() {
    forgetAccessibleCells(*this);
    pictures_.forgetAll();
    updateScrollRanges();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    selection_ = {};
    if (hasTable()) {
        int32_t row = 0, column = 0;
        clampIntoBody(row, column);
        selection_ = spanning(row, column, row, column);
    }
    viewport()->update();
}

LayoutState GridWidget::layoutState() const {
    return {LogicalScale::forDevice(logicalDpiX(), logicalDpiY(), zoomX_, zoomY_),
            hasFlag(GridFlags::kHeadersShown),
            headerWidth_,
            headerHeight_,
            scrollRow(),
            scrollColumn(),
            viewport()->size()};
}

void GridWidget::setLineColor(uint32_t color) {
    lineColor_ = color;
    viewport()->update();
}

void GridWidget::setBackColor(uint32_t color) {
    backColor_ = color;
    viewport()->update();
}

void GridWidget::setZoomPercent(int32_t percent) {
    commitEdit();
    zoomX_ = zoomY_ = std::clamp(percent, kMinimumZoomPercent, kMaximumZoomPercent) * 10;
    viewport()->update();
}

void GridWidget::setFlag(uint32_t flag, bool on) {
    uint32_t next = on ? flags_ | flag : flags_ & ~flag;
    uint32_t changed = next ^ flags_;
    flags_ = next;
    if (changed & GridFlags::kAffectingPaint) viewport()->update();
}

void GridWidget::fitToWindowWidth() {
    if (!hasTable()) return;
    commitEdit();
    const LogicalScale unzoomed = LogicalScale::forDevice(logicalDpiX(), logicalDpiY(), 1000, 1000);
    const GridLayout shown = layout();
    int64_t total = hasFlag(GridFlags::kHeadersShown) ? unzoomed.pixelsX(headerWidth_) : 0;
    for (int32_t column = 0; column < shown.columns().fixedCount(); ++column) {
        total += unzoomed.pixelsX(source_->columnWidth(column));
    }
    for (int32_t column = shown.columns().firstBody(); column < source_->columnCount(); ++column) {
        total += unzoomed.pixelsX(source_->columnWidth(column));
    }
    if (total <= 0) return;
    int64_t zoom = std::max<int64_t>(viewport()->width() * int64_t{1000} / total, kMinimumZoomPercent * 10);
    zoomX_ = zoomY_ = static_cast<int32_t>(std::min<int64_t>(zoom, INT32_MAX));
    viewport()->update();
}

void GridWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    viewport()->update();
}

// Qt tells a reader of the grid's focus once this returns; the current cell is
// announced after it, so that the reader ends on the cell rather than the table.
void GridWidget::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    if (QAccessible::isActive()) QMetaObject::invokeMethod(this, [this] { announceCurrentCell(*this); }, Qt::QueuedConnection);
}

// A scroll can leave two stripes to paint, one at the top and one at the bottom;
// painting each on its own skips the rows between them.
void GridWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    for (const QRect& invalid : event->region()) paintGrid(painter, invalid);
}

void GridWidget::repaintRange(const CellRange& range) {
    if (!hasTable() || range.isEmpty()) return;
    const GridLayout shown = layout();
    QRect area = shown.rangeRect(growToWholeBlocks(*source_, range)).adjusted(-1, -1, 1, 1);
    // Headers show nothing of the cells, but a block that reaches into the fixed
    // area must also be repainted there.
    viewport()->update(area & viewport()->rect());
}

void GridWidget::reselectTopLeft() {
    if (!hasTable()) {
        selection_ = {};
        return;
    }
    CellRange range = selectedRange();
    int32_t row = range.row, column = range.column;
    clampIntoBody(row, column);
    CellRange block = blockOf(*source_, row, column);
    selection_ = {block.row, block.column, block.lastRow(), block.lastColumn()};
}

// Rows (or columns) inserted before a selected cell push it down; deleted ones pull
// it up, and a cell inside the deleted rows lands on the first row after them.
void GridWidget::shiftSelection(bool rows, int32_t first, int32_t count) {
    auto shift = [&](int32_t index) {
        if (index < first) return index;
        if (count >= 0) return index + count;
        return std::max(index + count, first);
    };
    Selection next = selection_;
    if (rows) {
        next.anchorRow = shift(next.anchorRow);
        next.endRow = shift(next.endRow);
    } else {
        next.anchorColumn = shift(next.anchorColumn);
        next.endColumn = shift(next.endColumn);
    }
    selection_ = hasTable() ? spanning(next.anchorRow, next.anchorColumn, next.endRow, next.endColumn) : Selection{};
}

void GridWidget::onModelNotice(const ModelNotice& notice) {
    using Kind = ModelNotice::Kind;
    switch (notice.kind) {
        case Kind::BeforeChange: commitEdit(); break;
        case Kind::RowsInserted:
        case Kind::RowsDeleted: {
            forgetAccessibleCells(*this);
            pictures_.forgetAll();
            updateScrollRanges();
            shiftSelection(true, notice.row, notice.kind == Kind::RowsInserted ? notice.rowCount : -notice.rowCount);
            const int top = hasTable() ? layout().rows().startOf(notice.row) : 0;
            viewport()->update(QRect(0, top - 1, viewport()->width(), viewport()->height()));
            break;
        }
        case Kind::ColumnsInserted:
        case Kind::ColumnsDeleted: {
            forgetAccessibleCells(*this);
            pictures_.forgetAll();
            updateScrollRanges();
            shiftSelection(false, notice.column,
                           notice.kind == Kind::ColumnsInserted ? notice.columnCount : -notice.columnCount);
            const int left = hasTable() ? layout().columns().startOf(notice.column) : 0;
            viewport()->update(QRect(left - 1, 0, viewport()->width(), viewport()->height()));
            break;
        }
        case Kind::Cells:
            pictures_.forget({notice.row, notice.column, notice.rowCount, notice.columnCount});
            repaintRange({notice.row, notice.column, notice.rowCount, notice.columnCount});
            announceChangedCells(*this, {notice.row, notice.column, notice.rowCount, notice.columnCount});
            break;
        case Kind::Merged:
            forgetAccessibleCells(*this);
            repaintRange({notice.row, notice.column, notice.rowCount, notice.columnCount});
            break;
        case Kind::Lines: repaintRange({notice.row, notice.column, notice.rowCount, notice.columnCount}); break;
        case Kind::Reset:
            forgetAccessibleCells(*this);
            pictures_.forgetAll();
            [[fallthrough]];
        case Kind::RowHeights:
        case Kind::ColumnWidths:
            updateScrollRanges();
            reselectTopLeft();
            viewport()->update();
            break;
        case Kind::ProviderChanged: resetView(); break;
        case Kind::CurrentRow:
            if (hasTable()) selectCell(notice.row, selectedRange().column);
            break;
        case Kind::StatusFlags: break;
    }
}

}  // namespace grid
