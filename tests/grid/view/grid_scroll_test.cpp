// Scrolling moves the pixels that stay on screen and repaints only what comes into
// view. Each case compares what the window shows after a scroll with a full repaint
// of the same widget at the same position, pixel by pixel.
#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <functional>
#include <string>

#include "tests/grid/view/grid_fixture.h"

namespace {

using grid::GridFlags::kHeadersShown;

// What the window shows of the grid's viewport, once every pending repaint is done.
QImage shownPixels(GridFixture& table) {
    QApplication::processEvents();
    const QImage window = table.grid.screen()->grabWindow(table.grid.winId()).toImage();
    return window.copy(table.grid.viewport()->geometry()).convertToFormat(QImage::Format_RGB32);
}

QImage repaintedPixels(GridFixture& table) {
    table.grid.viewport()->update();
    return shownPixels(table);
}

// Empty when both are equal, else how many pixels differ and the first of them.
std::string differences(const QImage& shown, const QImage& expected) {
    if (shown.size() != expected.size())
        return "the sizes differ";
    int count = 0;
    QPoint first;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixel(x, y) != expected.pixel(x, y) && count++ == 0)
                first = QPoint(x, y);
        }
    }
    if (count == 0)
        return {};
    return std::to_string(count) + " pixels differ, the first at (" + std::to_string(first.x()) +
           ", " + std::to_string(first.y()) + ")";
}

// Records the areas the viewport paints.
class PaintRecorder : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion painted;
};

void fillWithText(GridFixture& table) {
    for (int row = 0; row < table.source.rowCount(); ++row) {
        for (int column = 0; column < table.source.columnCount(); ++column) {
            table.source.setCellText(row, column, std::to_string(row * 100 + column) + "号");
        }
    }
}

struct ScrollCase {
    const char* what;
    std::function<void(GridFixture&)> prepare;
    int startRow;
    int startColumn;
    std::function<void(GridFixture&)> scroll;
};

void scrollBy(GridFixture& table, int rows, int columns) {
    table.grid.scrollTo(table.grid.scrollRow() + rows, table.grid.scrollColumn() + columns);
}

void selectBlock(GridFixture& table) {
    table.grid.selectCell(5, 3);
    table.grid.extendSelection(8, 4);
}

void fixRowsAndColumns(GridFixture& table) {
    table.provider.setFixedRows(2);
    table.provider.setFixedColumns(1);
    table.source.notifyTableReset();
    fillWithText(table);
    selectBlock(table);
}

void hideHeaders(GridFixture& table) {
    table.grid.setFlag(kHeadersShown, false);
    table.grid.setLineColor(0x0000FF);
    table.source.drawLines({0, 0, 1, 1}, 8);
    fillWithText(table);
    selectBlock(table);
}

void textAndSelection(GridFixture& table) {
    fillWithText(table);
    selectBlock(table);
}

// A block taller and wider than the window, its text in the middle: the text lies
// where the whole block's middle is, not where scrolling moved it.
void mergeATallBlock(GridFixture& table) {
    table.source.mergeCells({3, 1, 80, 8});
    table.source.setCellText(3, 1, "合并的单元格");
    table.source.setAlignment({3, 1, 1, 1}, 5);
    table.source.setBackColor({3, 1, 1, 1}, 0xE0FFE0);
    table.grid.selectCell(90, 0);
}

// A block that scrolls in under the fixed rows and columns, its text in the middle.
void mergeUnderTheFixedArea(GridFixture& table) {
    fixRowsAndColumns(table);
    table.source.mergeCells({4, 2, 20, 4});
    table.source.setCellText(4, 2, "合并的单元格");
    table.source.setAlignment({4, 2, 1, 1}, 5);
}

TEST(GridScrollTest, ScrolledPixelsEqualAFullRepaint) {
    const ScrollCase cases[] = {
        {"down one row", textAndSelection, 2, 0, [](GridFixture& t) { scrollBy(t, 1, 0); }},
        {"up one row", textAndSelection, 3, 0, [](GridFixture& t) { scrollBy(t, -1, 0); }},
        {"right one column", textAndSelection, 0, 1, [](GridFixture& t) { scrollBy(t, 0, 1); }},
        {"left one column", textAndSelection, 0, 2, [](GridFixture& t) { scrollBy(t, 0, -1); }},
        {"down three rows by the wheel", textAndSelection, 0, 0,
         [](GridFixture& t) {
             QWheelEvent wheel(QPointF(100, 100), QPointF(100, 100), {}, QPoint(0, -360),
                               Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(t.grid.viewport(), &wheel);
         }},
        {"up one row, the selection taller than the window", textAndSelection, 3, 0,
         [](GridFixture& t) {
             t.grid.selectCell(2, 3);
             t.grid.extendSelection(60, 4);
             t.grid.scrollTo(3, 0);
             QApplication::processEvents();
             scrollBy(t, -1, 0);
         }},
        {"down past rows of other heights", textAndSelection, 2, 0,
         [](GridFixture& t) {
             t.source.setRowHeight(2, 1, 130);
             t.source.setRowHeight(5, 3, 25);
             QApplication::processEvents();
             scrollBy(t, 1, 0);
         }},
        {"up and left at 150 %", textAndSelection, 4, 3,
         [](GridFixture& t) {
             t.grid.setZoomPercent(150);
             QApplication::processEvents();
             scrollBy(t, -1, 0);
             QApplication::processEvents();
             scrollBy(t, 0, -1);
         }},
        {"down a page", textAndSelection, 0, 0, [](GridFixture& t) { scrollBy(t, 10, 0); }},
        {"down with fixed rows", fixRowsAndColumns, 2, 0,
         [](GridFixture& t) { scrollBy(t, 1, 0); }},
        {"up under fixed rows", fixRowsAndColumns, 5, 0,
         [](GridFixture& t) { scrollBy(t, -1, 0); }},
        {"right with fixed columns", fixRowsAndColumns, 0, 2,
         [](GridFixture& t) { scrollBy(t, 0, 1); }},
        {"left under fixed columns", fixRowsAndColumns, 0, 3,
         [](GridFixture& t) { scrollBy(t, 0, -1); }},
        {"down from the top without headers", hideHeaders, 0, 0,
         [](GridFixture& t) { scrollBy(t, 1, 0); }},
        {"up to the top without headers", hideHeaders, 1, 0,
         [](GridFixture& t) { scrollBy(t, -1, 0); }},
        {"right from the left without headers", hideHeaders, 0, 0,
         [](GridFixture& t) { scrollBy(t, 0, 1); }},
        {"left to the left without headers", hideHeaders, 0, 1,
         [](GridFixture& t) { scrollBy(t, 0, -1); }},
        {"down through a tall merged block", mergeATallBlock, 5, 0,
         [](GridFixture& t) { scrollBy(t, 1, 0); }},
        {"up through a tall merged block", mergeATallBlock, 6, 0,
         [](GridFixture& t) { scrollBy(t, -1, 0); }},
        {"right through a wide merged block", mergeATallBlock, 5, 1,
         [](GridFixture& t) { scrollBy(t, 0, 1); }},
        {"onto the top of a merged block", mergeATallBlock, 3, 0,
         [](GridFixture& t) { scrollBy(t, -1, 0); }},
        {"down with a block going under the fixed rows", mergeUnderTheFixedArea, 4, 0,
         [](GridFixture& t) { scrollBy(t, 1, 0); }},
        {"right with a block going under the fixed columns", mergeUnderTheFixedArea, 0, 2,
         [](GridFixture& t) { scrollBy(t, 0, 1); }},
        {"the selection moving past the bottom", textAndSelection, 0, 0,
         [](GridFixture& t) {
             t.grid.selectCell(15, 2);
             QApplication::processEvents();
             for (int step = 0; step < 3; ++step)
                 QTest::keyClick(&t.grid, Qt::Key_Down);
         }},
        {"a cell changed and not yet painted", textAndSelection, 2, 0,
         [](GridFixture& t) {
             t.source.setCellText(6, 3, "新的文字");
             t.source.setBackColor({9, 2, 1, 1}, 0xFFC0C0);
             scrollBy(t, 1, 0);
         }},
        {"rows deleted below the position", textAndSelection, 195, 0,
         [](GridFixture& t) { t.source.deleteRows(150, 50); }},
        {"columns deleted right of the position", textAndSelection, 0, 18,
         [](GridFixture& t) { t.source.deleteColumns(12, 8); }},
        {"while a column boundary is dragged", textAndSelection, 2, 0,
         [](GridFixture& t) {
             const QRect cell = t.cellRect(2, 1);
             const QPoint boundary(cell.right() + 1, t.grid.layout().rows().headerSize() / 2);
             QTest::mousePress(t.grid.viewport(), Qt::LeftButton, {}, boundary);
             QTest::mouseMove(t.grid.viewport(), boundary + QPoint(30, 0));
             QApplication::processEvents();
             scrollBy(t, 1, 0);
         }},
        {"an open edit committed", textAndSelection, 2, 0,
         [](GridFixture& t) {
             t.grid.selectCell(6, 1);
             QApplication::processEvents();
             QTest::keyClicks(&t.grid, QStringLiteral("edited"));
             QApplication::processEvents();
             scrollBy(t, 1, 0);
         }},
    };
    for (const ScrollCase& c : cases) {
        GridFixture table(200, 20);
        c.prepare(table);
        table.grid.scrollTo(c.startRow, c.startColumn);
        shownPixels(table);
        c.scroll(table);
        const QImage shown = shownPixels(table);
        EXPECT_EQ(differences(shown, repaintedPixels(table)), "") << c.what;
    }
}

// Only the strip that comes into view is painted: the row cut by the window's edge
// had its text placed in the whole row, so its moved pixels are already right.
TEST(GridScrollTest, ScrollingOneRowPaintsOnlyTheRowsComingIntoView) {
    GridFixture table(200, 20);
    fillWithText(table);
    table.grid.scrollTo(10, 2);
    shownPixels(table);
    PaintRecorder recorder;
    table.grid.viewport()->installEventFilter(&recorder);
    const QRect viewport = table.grid.viewport()->rect();

    scrollBy(table, 1, 0);
    shownPixels(table);
    const grid::GridLayout down = table.grid.layout();
    ASSERT_GT(down.rows().shown().back().end, viewport.height());
    EXPECT_EQ(recorder.painted,
              QRegion(0, viewport.height() - GridFixture::kRowPixels, viewport.width(), GridFixture::kRowPixels));

    recorder.painted = {};
    scrollBy(table, 0, -1);
    shownPixels(table);
    const grid::GridLayout left = table.grid.layout();
    const grid::AxisLayout& columns = left.columns();
    ASSERT_GT(columns.shown().back().end, viewport.width());
    EXPECT_EQ(recorder.painted, QRegion(columns.bodyBandStart(), 0, GridFixture::kColumnPixels, viewport.height()));
}

TEST(GridScrollTest, SelectionFrameShowsOnceAfterScrolling) {
    struct Case {
        const char* what;
        int rows;
        int columns;
    } cases[] = {{"down", 1, 0}, {"up", -1, 0}, {"right", 0, 1}, {"left", 0, -1}};
    for (const Case& c : cases) {
        GridFixture table(100, 20);
        table.grid.selectCell(6, 3);
        table.grid.scrollTo(2, 1);
        shownPixels(table);
        scrollBy(table, c.rows, c.columns);
        const QImage shown = shownPixels(table);
        // The frame inverts the white inside the cell into black and its grid lines
        // into dark grey; nothing else in the body is black.
        const QRect cell = table.cellRect(6, 3);
        EXPECT_EQ(colourBounds(shown, table.grid.layout().bodyBand(), 0x000000),
                  QRect(cell.topLeft() + QPoint(1, 1), cell.bottomRight()))
            << c.what;
        EXPECT_EQ(shown.pixel(cell.right() + 1, cell.center().y()) & 0xFFFFFF, 0x3F3F3Fu) << c.what;
        EXPECT_EQ(shown.pixel(cell.center()) & 0xFFFFFF, 0xFFFFFFu) << c.what;
    }
}

TEST(GridScrollTest, InputMethodCursorFollowsTheCellAfterScrolling) {
    GridFixture table(100, 20);
    table.grid.setFocus();
    table.grid.selectCell(6, 3);
    scrollBy(table, 2, 1);
    EXPECT_EQ(table.grid.inputMethodQuery(Qt::ImCursorRectangle).toRect(), table.cellRect(6, 3));
    EXPECT_EQ(table.cellRect(6, 3).top(),
              table.grid.layout().rows().headerSize() + 4 * GridFixture::kRowPixels);
}

// Lets the grid's timer run until the condition holds; false when it never does.
bool waitFor(const std::function<bool()>& condition) {
    for (int attempt = 0; attempt < 500 && !condition(); ++attempt)
        QTest::qWait(10);
    return condition();
}

// Lets the grid's timer run for a while; what it changes there shows afterwards.
void letTimersRun() {
    QTest::qWait(250);
}

TEST(GridScrollTest, DraggingPastTheBottomScrollsDownStepByStep) {
    GridFixture table(200, 20);
    QWidget* viewport = table.grid.viewport();
    const QPoint start = table.cellCentre(5, 2);
    QTest::mousePress(viewport, Qt::LeftButton, {}, start);
    QTest::mouseMove(viewport, QPoint(start.x(), viewport->height() + 20));
    ASSERT_TRUE(waitFor([&] { return table.grid.scrollRow() >= 4; }));
    const grid::Selection& selection = table.grid.selection();
    EXPECT_EQ(selection.anchorRow, 5);
    EXPECT_EQ(selection.anchorColumn, 2);
    EXPECT_EQ(selection.endColumn, 2);
    // Each step shows the new end whole, at the bottom: the row after it is cut.
    EXPECT_LE(table.cellRect(selection.endRow, 2).bottom(), viewport->height() - 1);
    EXPECT_GE(table.cellRect(selection.endRow + 1, 2).bottom(), viewport->height() - 1);

    // Back inside, the drag follows the pointer and the scrolling stops.
    QTest::mouseMove(viewport, table.cellCentre(selection.endRow - 2, 3));
    const int32_t scrolled = table.grid.scrollRow();
    const int32_t endRow = selection.endRow;
    letTimersRun();
    EXPECT_EQ(table.grid.scrollRow(), scrolled);
    EXPECT_EQ(selection.endRow, endRow);
    EXPECT_EQ(selection.endColumn, 3);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, table.cellCentre(endRow, 3));
}

TEST(GridScrollTest, DraggingOverTheHeadersScrollsUpAndLeftStepByStep) {
    GridFixture table(200, 20);
    table.grid.scrollTo(30, 6);
    QWidget* viewport = table.grid.viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, table.cellCentre(35, 8));
    // Over the column header the end goes to the first row shown, not the first row
    // of the table, and moves on from there.
    QTest::mouseMove(viewport, QPoint(table.cellCentre(35, 7).x(), 5));
    EXPECT_EQ(table.grid.selection().endRow, 30);
    EXPECT_EQ(table.grid.selection().endColumn, 7);
    ASSERT_TRUE(waitFor([&] { return table.grid.selection().endRow == 0; }));
    EXPECT_EQ(table.grid.scrollRow(), 0);
    EXPECT_EQ(table.grid.scrollColumn(), 6);

    QTest::mouseMove(viewport, QPoint(5, table.cellCentre(3, 7).y()));
    ASSERT_TRUE(waitFor([&] { return table.grid.selection().endColumn == 0; }));
    EXPECT_EQ(table.grid.scrollColumn(), 0);
    EXPECT_EQ(table.grid.selection().endRow, 3);
    EXPECT_EQ(table.grid.selection().anchorRow, 35);
    EXPECT_EQ(table.grid.selection().anchorColumn, 8);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(5, table.cellCentre(3, 7).y()));
}

TEST(GridScrollTest, ReleasingTheButtonStopsTheScrolling) {
    GridFixture table(200, 20);
    QWidget* viewport = table.grid.viewport();
    const QPoint start = table.cellCentre(5, 2);
    const QPoint pastTheRight(viewport->width() + 20, start.y());
    QTest::mousePress(viewport, Qt::LeftButton, {}, start);
    QTest::mouseMove(viewport, pastTheRight);
    ASSERT_TRUE(waitFor([&] { return table.grid.scrollColumn() >= 2; }));
    EXPECT_EQ(table.grid.selection().endRow, 5);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, pastTheRight);
    const int32_t scrolled = table.grid.scrollColumn();
    const grid::Selection selected = table.grid.selection();
    letTimersRun();
    EXPECT_EQ(table.grid.scrollColumn(), scrolled);
    EXPECT_EQ(table.grid.selection(), selected);
}

}  // namespace
