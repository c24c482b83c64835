#pragma once

#include <QAbstractScrollArea>
#include <QPointer>
#include <QTimer>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>

#include "grid/model/data_source.h"
#include "grid/model/model_notice.h"
#include "grid/view/cell_editor.h"
#include "grid/view/cell_pictures.h"
#include "grid/view/grid_events.h"
#include "grid/view/grid_flags.h"
#include "grid/view/grid_layout.h"
#include "grid/view/selection.h"

namespace grid {

// The grid: a window that shows the table of its data source, keeps the selection,
// zoom and scroll position, edits cells in place and talks to the clipboard. Every
// change of the table goes through the data source, whose notices repaint the grid.
class GridWidget : public QAbstractScrollArea, public ModelView {
    Q_OBJECT

public:
    static constexpr uint32_t kNoColor = 0xFF000000;
    static constexpr int32_t kMinimumZoomPercent = 20;
    static constexpr int32_t kMaximumZoomPercent = 1000;
    // A dragged row or column never becomes smaller than 2 mm.
    static constexpr int32_t kMinimumDraggedSize = 20;

    explicit GridWidget(QWidget* parent = nullptr);
    ~GridWidget() override;

    // Binds the grid to a data source (or to none). The grid registers itself as a
    // view and starts over: scroll positions 0, selection at the first body cell.
    void setDataSource(DataSrc* source);
    DataSrc* dataSource() const { return source_; }
    void setEventSink(GridEventSink* sink) { events_ = sink; }

    uint32_t lineColor() const { return lineColor_; }
    void setLineColor(uint32_t color);
    uint32_t backColor() const { return backColor_; }
    void setBackColor(uint32_t color);
    int32_t zoomX() const { return zoomX_; }
    int32_t zoomY() const { return zoomY_; }
    // Clamped to 20-1000 %; both directions take the value.
    void setZoomPercent(int32_t percent);
    uint32_t flags() const { return flags_; }
    bool hasFlag(uint32_t flag) const { return (flags_ & flag) != 0; }
    void setFlag(uint32_t flag, bool on);
    // Header column width and header row height in 0.1 mm, measured once.
    int32_t headerWidth() const { return headerWidth_; }
    int32_t headerHeight() const { return headerHeight_; }
    // Zooms so that the shown columns fill the client width, at least 20 %.
    void fitToWindowWidth();

    const Selection& selection() const { return selection_; }
    CellRange selectedRange() const { return selection_.range(); }
    // Selects the cell's whole merged block, or extends to it when asked and allowed.
    void selectCell(int32_t row, int32_t column, bool extend = false);
    // The same for a command that moves the current cell (a find): the grid then
    // raises its move events as it does for a click, so the status bar follows.
    void moveCurrentCell(int32_t row, int32_t column);
    void extendSelection(int32_t row, int32_t column);
    void selectAll();
    void selectRow(int32_t row);
    void selectColumn(int32_t column);

    int32_t scrollRow() const;
    int32_t scrollColumn() const;
    // Scroll positions are clamped to their ranges; an open edit is committed first.
    void scrollTo(int32_t scrollRow, int32_t scrollColumn);

    // Opens the in-place editor on the selection's first cell with the given text,
    // or the cell's own text when none is given. False when editing is refused.
    bool startEdit(std::optional<QString> initialText = std::nullopt);
    // Ends an open edit by committing it (the editor reports its text).
    void commitEdit();
    CellEditor* editor() const { return editor_; }

    void copySelection();
    // True when a block was pasted.
    bool pasteFromClipboard();

    LayoutState layoutState() const;
    // The body rows and columns that start inside the window (fixed ones aside).
    CellRange shownBody() const;
    // The cell under a point of the viewport, fixed ones included.
    std::optional<std::pair<int32_t, int32_t>> cellAt(QPoint position) const;
    // Only while a data source is bound.
    GridLayout layout() const { return GridLayout(*source_, layoutState()); }
    const CellPictures& pictures() const { return pictures_; }

    void onModelNotice(const ModelNotice& notice) override;
    // The input method's candidate window sits at the current cell.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    // Tab reaches the grid here, before Qt would move the focus to the next widget.
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // A row or column boundary being dragged in a header.
    struct ResizeDrag {
        bool rows = true;
        int32_t index = 0;
        int boundary = 0;
        int position = 0;
    };

    bool hasTable() const;
    void measureHeaders();
    void updateScrollRanges();
    void resetView();
    QRect frameRect() const;
    void repaintRange(const CellRange& range);
    void repaintCellsNotice(const ModelNotice& notice);
    void reselectTopLeft();
    void shiftSelection(bool rows, int32_t first, int32_t count);

    // grid_painting.cpp
    void paintGrid(QPainter& painter, const QRect& invalid);
    void paintHeaders(QPainter& painter, const GridLayout& layout, const QRect& invalid);
    void paintScrolledEdges(QPainter& painter, const GridLayout& layout);
    void paintSelectionFrame(QPainter& painter, const GridLayout& layout, const QRect& invalid);
    void paintResizeLine(QPainter& painter, const GridLayout& layout);

    // grid_scrolling.cpp
    void moveBody(const GridLayout& before, const GridLayout& after, bool horizontal);
    // While a selection is dragged past the edge of the body, the grid scrolls that
    // way on a timer, one row or column a step.
    void followDrag(QPoint pointer);
    void autoScroll();

    // grid_selection.cpp
    void clampIntoBody(int32_t& row, int32_t& column) const;
    Selection spanning(int32_t anchorRow, int32_t anchorColumn, int32_t targetRow, int32_t targetColumn) const;
    void applySelection(const Selection& next);
    void scrollIntoView(int32_t row, int32_t column);
    void raise(GridEvent event, std::initializer_list<int32_t> arguments = {});
    void raiseMoves(const Selection& before);
    // The body cell nearest to the pointer, for a dragged selection.
    std::optional<std::pair<int32_t, int32_t>> bodyCellNear(QPoint position) const;

    // grid_input.cpp
    bool handleMoveKey(QKeyEvent* event);
    std::optional<ResizeDrag> resizeBoundaryAt(QPoint position) const;
    void finishResize(bool apply);

    // grid_tabbing.cpp
    // Tab commits an open edit and moves to the next block in reading order;
    // Ctrl+Tab commits and leaves the grid.
    void pressTab(bool backward, bool withControl);
    // The top-left cell of the next (previous) merged block or single cell, row by
    // row through the body; nothing at the body's last (first) block.
    std::optional<std::pair<int32_t, int32_t>> nextInReadingOrder(bool backward) const;

    // grid_editing.cpp
    void editorReported(int32_t row, int32_t column, const QString& text);
    void placeEditor();
    void closeEditor();

    DataSrc* source_ = nullptr;
    GridEventSink* events_ = nullptr;
    uint32_t flags_ = GridFlags::kInitial;
    uint32_t lineColor_ = 0;
    uint32_t backColor_ = 0xFFFFFF;
    int32_t zoomX_ = 1000;
    int32_t zoomY_ = 1000;
    int32_t headerWidth_ = 0;
    int32_t headerHeight_ = 0;
    Selection selection_;
    CellPictures pictures_;
    QPointer<CellEditor> editor_;

    Selection selectionAtPress_;
    bool mouseCaptured_ = false;
    bool clickedCurrentCell_ = false;
    bool mouseMoved_ = false;
    std::optional<ResizeDrag> resizeDrag_;
    QTimer autoScrollTimer_;
    QPoint dragPointer_;
    int wheelRemainder_ = 0;
};

}  // namespace grid
