// Keyboard, mouse, wheel and resize dragging on the grid.
#include <gtest/gtest.h>

#include <QTest>
#include <QWheelEvent>

#include "tests/grid/view/grid_fixture.h"

namespace {

using grid::CellRange;
using grid::GridEvent;
using Raised = EventRecorder::Raised;

TEST(GridInputTest, MoveKeys) {
    // 40 x 12 with fixed row 0 and fixed column 0; the body starts at (1, 1).
    struct Case {
        const char* what;
        int row;
        int column;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        CellRange expected;
    } cases[] = {
        {"up", 5, 5, Qt::Key_Up, {}, {4, 5, 1, 1}},
        {"up stops at the body", 1, 5, Qt::Key_Up, {}, {1, 5, 1, 1}},
        {"down", 5, 5, Qt::Key_Down, {}, {6, 5, 1, 1}},
        {"left stops at the body", 5, 1, Qt::Key_Left, {}, {5, 1, 1, 1}},
        {"right", 5, 5, Qt::Key_Right, {}, {5, 6, 1, 1}},
        {"page up", 15, 5, Qt::Key_PageUp, {}, {5, 5, 1, 1}},
        {"page up stops at the first body row", 5, 5, Qt::Key_PageUp, {}, {1, 5, 1, 1}},
        {"page down", 5, 5, Qt::Key_PageDown, {}, {15, 5, 1, 1}},
        {"page down stops at the last row", 35, 5, Qt::Key_PageDown, {}, {39, 5, 1, 1}},
        {"ctrl page up", 20, 5, Qt::Key_PageUp, Qt::ControlModifier, {1, 5, 1, 1}},
        {"ctrl page down", 20, 5, Qt::Key_PageDown, Qt::ControlModifier, {39, 5, 1, 1}},
        {"home", 5, 5, Qt::Key_Home, {}, {5, 1, 1, 1}},
        {"ctrl home", 5, 5, Qt::Key_Home, Qt::ControlModifier, {1, 1, 1, 1}},
        {"end", 5, 5, Qt::Key_End, {}, {5, 11, 1, 1}},
        {"ctrl end", 5, 5, Qt::Key_End, Qt::ControlModifier, {39, 11, 1, 1}},
        {"shift down extends", 5, 5, Qt::Key_Down, Qt::ShiftModifier, {5, 5, 2, 1}},
        {"shift up extends upward", 5, 5, Qt::Key_Up, Qt::ShiftModifier, {4, 5, 2, 1}},
        {"ctrl a selects the body", 5, 5, Qt::Key_A, Qt::ControlModifier, {1, 1, 39, 11}},
    };
    for (const auto& c : cases) {
        GridFixture table(40, 12);
        table.provider.setFixedRows(1);
        table.provider.setFixedColumns(1);
        table.source.notifyTableReset();
        table.grid.selectCell(c.row, c.column);
        QTest::keyClick(&table.grid, c.key, c.modifiers);
        EXPECT_EQ(table.grid.selectedRange(), c.expected) << c.what;
    }
}

TEST(GridInputTest, KeysRaiseAnchorThenEndEvents) {
    GridFixture table(10, 10);
    QTest::keyClick(&table.grid, Qt::Key_Down);
    EXPECT_EQ(table.events.raised, (std::vector<Raised>{{GridEvent::AnchorMoved, {}}, {GridEvent::EndMoved, {}}}));
    table.events.raised.clear();
    QTest::keyClick(&table.grid, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(table.events.raised, (std::vector<Raised>{{GridEvent::EndMoved, {}}}));
    table.events.raised.clear();
    QTest::keyClick(&table.grid, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_TRUE(table.events.raised.empty());
}

TEST(GridInputTest, ShiftDownFromAMergedBlockExtendsBelowIt) {
    GridFixture table(10, 10);
    table.source.mergeCells({2, 2, 2, 2});
    table.grid.selectCell(3, 3);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{2, 2, 2, 2}));
    QTest::keyClick(&table.grid, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{2, 2, 3, 2}));
    // Moving down from the block leaves it below its last row.
    table.grid.selectCell(2, 2);
    QTest::keyClick(&table.grid, Qt::Key_Down);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{4, 2, 1, 1}));
}

TEST(GridInputTest, ExtendingOverPartOfABlockTakesTheWholeBlock) {
    GridFixture table(10, 10);
    table.source.mergeCells({3, 3, 3, 3});
    table.grid.selectCell(1, 1);
    table.grid.extendSelection(4, 3);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{1, 1, 5, 5}));
}

TEST(GridInputTest, CtrlRightScrollsWithoutMovingTheSelection) {
    GridFixture table(10, 20);
    QTest::keyClick(&table.grid, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(table.grid.scrollColumn(), 1);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{0, 0, 1, 1}));
}

TEST(GridInputTest, MovingOutOfViewScrolls) {
    GridFixture table(100, 3);
    QTest::keyClick(&table.grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{99, 2, 1, 1}));
    const QRect cell = table.cellRect(99, 2);
    EXPECT_LE(cell.bottom(), table.grid.viewport()->height());
    EXPECT_GT(table.grid.scrollRow(), 80);
}

TEST(GridInputTest, ClickSelectsAndHeaderClicksSelectRowsAndColumns) {
    GridFixture table(10, 4);
    QTest::mouseClick(table.grid.viewport(), Qt::LeftButton, {}, table.cellCentre(3, 2));
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{3, 2, 1, 1}));
    const QPoint rowHeader(5, table.cellCentre(4, 0).y());
    QTest::mouseClick(table.grid.viewport(), Qt::LeftButton, {}, rowHeader);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{4, 0, 1, 4}));
    const QPoint columnHeader(table.cellCentre(0, 1).x(), 3);
    QTest::mouseClick(table.grid.viewport(), Qt::LeftButton, {}, columnHeader);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{0, 1, 10, 1}));
    QTest::mouseClick(table.grid.viewport(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{0, 0, 10, 4}));
}

TEST(GridInputTest, ShiftClickAndDragExtend) {
    GridFixture table(10, 4);
    QTest::mouseClick(table.grid.viewport(), Qt::LeftButton, {}, table.cellCentre(1, 1));
    QTest::mouseClick(table.grid.viewport(), Qt::LeftButton, Qt::ShiftModifier, table.cellCentre(3, 2));
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{1, 1, 3, 2}));
    table.events.raised.clear();
    QTest::mousePress(table.grid.viewport(), Qt::LeftButton, {}, table.cellCentre(5, 3));
    QTest::mouseMove(table.grid.viewport(), table.cellCentre(7, 1));
    QTest::mouseRelease(table.grid.viewport(), Qt::LeftButton, {}, table.cellCentre(7, 1));
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{5, 1, 3, 3}));
    EXPECT_EQ(table.grid.selection().anchorRow, 5);
    EXPECT_EQ(table.grid.selection().anchorColumn, 3);
    EXPECT_EQ(table.events.raised, (std::vector<Raised>{{GridEvent::AnchorMoved, {}}, {GridEvent::EndMoved, {}}}));
    EXPECT_EQ(table.grid.editor(), nullptr);
}

TEST(GridInputTest, WithoutMultiSelectShiftDoesNotExtend) {
    GridFixture table(10, 4);
    table.grid.setFlag(grid::GridFlags::kMultiSelect, false);
    QTest::keyClick(&table.grid, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{1, 0, 1, 1}));
    QTest::keyClick(&table.grid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{1, 0, 1, 1}));
}

void wheel(grid::GridWidget& grid, int delta, Qt::KeyboardModifiers modifiers = {}) {
    QPointF at(50, 50);
    QWheelEvent event(at, grid.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &event);
}

TEST(GridInputTest, WheelScrollsAndStopsAtTheEnd) {
    GridFixture table(30, 3);
    wheel(table.grid, -120 * 3);
    EXPECT_EQ(table.grid.scrollRow(), 3);
    wheel(table.grid, 120);
    EXPECT_EQ(table.grid.scrollRow(), 2);
    for (int i = 0; i < 20; ++i) wheel(table.grid, -240);
    EXPECT_EQ(table.grid.scrollRow(), 29);
    wheel(table.grid, -120, Qt::ControlModifier);
    wheel(table.grid, 120, Qt::ShiftModifier);
    EXPECT_EQ(table.grid.scrollRow(), 29);
    for (int i = 0; i < 40; ++i) wheel(table.grid, 120);
    EXPECT_EQ(table.grid.scrollRow(), 0);
}

TEST(GridInputTest, ScrollBarRangesFollowTheTable) {
    GridFixture table(30, 8);
    table.provider.setFixedRows(2);
    table.source.notifyTableReset();
    table.grid.scrollTo(100, 100);
    EXPECT_EQ(table.grid.scrollRow(), 27);
    EXPECT_EQ(table.grid.scrollColumn(), 7);
    table.source.deleteRows(10, 15);
    EXPECT_EQ(table.grid.scrollRow(), 12);
}

TEST(GridInputTest, DraggingARowBoundary) {
    GridFixture table(10, 4);
    const int boundary = table.cellRect(2, 0).bottom() + 1;
    QWidget* viewport = table.grid.viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(5, boundary + 1));
    QTest::mouseMove(viewport, QPoint(5, boundary + 38));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(5, boundary + 38));
    // 38 pixels more: 58 + 38 / 0.378 = 159 tenths of a millimetre.
    EXPECT_EQ(table.source.rowHeight(2), 159);
    EXPECT_EQ(table.source.rowHeight(3), 58);
    EXPECT_EQ(table.events.raised, (std::vector<Raised>{{GridEvent::RowHeightDragged, {3}}}));
}

TEST(GridInputTest, DraggingToOneMillimetreLeavesTwo) {
    GridFixture table(10, 4);
    const int boundary = table.cellRect(2, 0).bottom() + 1;
    QTest::mousePress(table.grid.viewport(), Qt::LeftButton, {}, QPoint(5, boundary));
    QTest::mouseRelease(table.grid.viewport(), Qt::LeftButton, {}, QPoint(5, boundary - 18));
    EXPECT_EQ(table.source.rowHeight(2), grid::GridWidget::kMinimumDraggedSize);
}

TEST(GridInputTest, DraggingAColumnBoundaryAndCancelling) {
    GridFixture table(10, 4);
    QWidget* viewport = table.grid.viewport();
    const int boundary = table.cellRect(0, 1).right() + 1;
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(boundary - 2, 3));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(boundary + 38, 3));
    EXPECT_EQ(table.source.columnWidth(1), 312 + 101);
    EXPECT_EQ(table.events.raised.back(), (Raised{GridEvent::ColumnWidthDragged, {2}}));

    table.events.raised.clear();
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(boundary + 38, 3));
    QTest::mouseMove(viewport, QPoint(boundary + 100, 3));
    QTest::keyClick(&table.grid, Qt::Key_Escape);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(boundary + 100, 3));
    EXPECT_EQ(table.source.columnWidth(1), 413);
    EXPECT_TRUE(table.events.raised.empty());
}

TEST(GridInputTest, FixedSizesOfferNoDragging) {
    GridFixture table(10, 4);
    table.grid.setFlag(grid::GridFlags::kRowHeightsFixed, true);
    const int boundary = table.cellRect(2, 0).bottom() + 1;
    QTest::mousePress(table.grid.viewport(), Qt::LeftButton, {}, QPoint(5, boundary));
    QTest::mouseRelease(table.grid.viewport(), Qt::LeftButton, {}, QPoint(5, boundary + 30));
    EXPECT_EQ(table.source.rowHeight(2), 58);
}

}  // namespace
