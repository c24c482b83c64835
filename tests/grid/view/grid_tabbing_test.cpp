// Tab and Shift+Tab in the grid: filling a form from the keyboard alone.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "grid/view/cell_editor.h"
#include "tests/grid/view/grid_fixture.h"

namespace {

using grid::CellRange;
using grid::GridEvent;
using Raised = EventRecorder::Raised;

// The first character opens the editor; the rest go into it.
void type(GridFixture& table, const QString& text) {
    QTest::keyClick(&table.grid, text.front().toLatin1());
    QTest::keyClicks(table.grid.editor(), text.mid(1));
}

TEST(GridTabbingTest, MovesInReadingOrderThroughTheBody) {
    // 6 x 5 with fixed row 0 and fixed column 0; the body runs from (1, 1) to (5, 4).
    struct Case {
        const char* what;
        int row;
        int column;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        CellRange expected;
    } cases[] = {
        {"tab goes right", 2, 2, Qt::Key_Tab, {}, {2, 3, 1, 1}},
        {"tab at the last column starts the next row in the body", 2, 4, Qt::Key_Tab, {}, {3, 1, 1, 1}},
        {"tab at the last cell stays", 5, 4, Qt::Key_Tab, {}, {5, 4, 1, 1}},
        {"shift tab goes left", 2, 3, Qt::Key_Tab, Qt::ShiftModifier, {2, 2, 1, 1}},
        {"backtab goes left", 2, 3, Qt::Key_Backtab, Qt::ShiftModifier, {2, 2, 1, 1}},
        {"shift tab at the first body column ends the row above", 3, 1, Qt::Key_Backtab, Qt::ShiftModifier,
         {2, 4, 1, 1}},
        {"shift tab at the first body cell stays", 1, 1, Qt::Key_Backtab, Qt::ShiftModifier, {1, 1, 1, 1}},
    };
    for (const auto& c : cases) {
        GridFixture table(6, 5);
        table.provider.setFixedRows(1);
        table.provider.setFixedColumns(1);
        table.source.notifyTableReset();
        table.grid.selectCell(c.row, c.column);
        table.events.raised.clear();
        QTest::keyClick(&table.grid, c.key, c.modifiers);
        EXPECT_EQ(table.grid.selectedRange(), c.expected) << c.what;
        const bool moved = c.expected != CellRange{c.row, c.column, 1, 1};
        EXPECT_EQ(table.events.raised.size(), moved ? 2u : 0u) << c.what;
    }
}

TEST(GridTabbingTest, VisitsEveryMergedBlockOnceAtItsTopLeft) {
    // Row 1: a | B B | d      B is the block (1, 1)-(2, 2); L the block (1, 0)-(2, 0).
    // Row 2: L | B B | e      Tab visits L, B, d, then e; Shift+Tab the reverse.
    GridFixture table(4, 4);
    table.source.mergeCells({1, 1, 2, 2});
    table.source.mergeCells({1, 0, 2, 1});
    table.grid.selectCell(0, 3);
    const CellRange forward[] = {{1, 0, 2, 1}, {1, 1, 2, 2}, {1, 3, 1, 1}, {2, 3, 1, 1}, {3, 0, 1, 1}};
    for (const CellRange& expected : forward) {
        QTest::keyClick(&table.grid, Qt::Key_Tab);
        EXPECT_EQ(table.grid.selectedRange(), expected);
    }
    const CellRange backward[] = {{2, 3, 1, 1}, {1, 3, 1, 1}, {1, 1, 2, 2}, {1, 0, 2, 1}, {0, 3, 1, 1}};
    for (const CellRange& expected : backward) {
        QTest::keyClick(&table.grid, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(table.grid.selectedRange(), expected);
    }
}

TEST(GridTabbingTest, TabEndsTheEditAndTheNextWordGoesIntoTheNextCell) {
    GridFixture table(5, 5);
    table.grid.selectCell(1, 1);
    table.events.raised.clear();
    type(table, QStringLiteral("abc"));
    QTest::keyClick(table.grid.editor(), Qt::Key_Tab);
    type(table, QStringLiteral("def"));
    ASSERT_NE(table.grid.editor(), nullptr);
    QTest::keyClick(table.grid.editor(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(table.text(1, 1), "abc");
    EXPECT_EQ(table.text(1, 2), "def");
    EXPECT_EQ(table.grid.selectedRange(), (CellRange{1, 1, 1, 1}));
    EXPECT_EQ(table.events.raised, (std::vector<Raised>{{GridEvent::CellsChanged, {2, 2, 1, 1}},
                                                        {GridEvent::AnchorMoved, {}},
                                                        {GridEvent::EndMoved, {}},
                                                        {GridEvent::CellsChanged, {2, 3, 1, 1}},
                                                        {GridEvent::AnchorMoved, {}},
                                                        {GridEvent::EndMoved, {}}}));
}

TEST(GridTabbingTest, OnlyCtrlTabLeavesTheGrid) {
    struct Case {
        const char* what;
        bool editing;
        Qt::KeyboardModifiers modifiers;
        bool gridKeepsTheKeys;
    } cases[] = {
        {"tab", false, {}, true},
        {"tab while editing", true, {}, true},
        {"shift tab", false, Qt::ShiftModifier, true},
        {"ctrl tab", false, Qt::ControlModifier, false},
        {"ctrl tab while editing", true, Qt::ControlModifier, false},
    };
    for (const auto& c : cases) {
        QWidget window;
        GridFixture table(5, 5);
        table.grid.setParent(&window);
        QLineEdit elsewhere(&window);
        window.show();
        QApplication::setActiveWindow(&window);
        table.grid.setFocus();
        if (c.editing) QTest::keyClick(&table.grid, 'x');
        QWidget* target = c.editing ? static_cast<QWidget*>(table.grid.editor()) : &table.grid;
        ASSERT_NE(target, nullptr) << c.what;
        QTest::keyClick(target, Qt::Key_Tab, c.modifiers);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(window.focusWidget() == &table.grid, c.gridKeepsTheKeys) << c.what;
        if (c.editing) {
            EXPECT_EQ(table.text(0, 0), "x") << c.what;
        }
        table.grid.setParent(nullptr);
    }
}

}  // namespace
