// The in-place editor: how it opens, commits and cancels, Chinese input through an
// input method, and the clipboard.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <functional>

#include "grid/view/cell_editor.h"
#include "tests/grid/view/grid_fixture.h"

namespace {

using grid::CellRange;
using grid::GridEvent;
using Raised = EventRecorder::Raised;

void type(QWidget* widget, const QString& text) {
    for (QChar character : text) QTest::keyClick(widget, character.toLatin1());
}

TEST(GridEditingTest, SecondClickOnTheCurrentCellOpensItsText) {
    GridFixture table(5, 5);
    table.source.setCellText(2, 2, "abc");
    QTest::mouseClick(table.grid.viewport(), Qt::LeftButton, {}, table.cellCentre(2, 2));
    EXPECT_EQ(table.grid.editor(), nullptr);
    QTest::mouseClick(table.grid.viewport(), Qt::LeftButton, {}, table.cellCentre(2, 2));
    ASSERT_NE(table.grid.editor(), nullptr);
    EXPECT_EQ(table.grid.editor()->toPlainText(), QStringLiteral("abc"));
    EXPECT_GE(table.grid.editor()->width(), table.cellRect(2, 2).width());
    EXPECT_EQ(table.grid.editor()->pos(), table.cellRect(2, 2).topLeft());
    // What is typed then goes after the text, not in front of it.
    type(table.grid.editor(), QStringLiteral("d"));
    EXPECT_EQ(table.grid.editor()->toPlainText(), QStringLiteral("abcd"));
}

TEST(GridEditingTest, TypingReplacesTheTextAndEnterCommits) {
    GridFixture table(5, 5);
    table.source.setCellText(1, 1, "old");
    table.grid.selectCell(1, 1);
    table.events.raised.clear();
    QTest::keyClick(&table.grid, 'x');
    ASSERT_NE(table.grid.editor(), nullptr);
    EXPECT_EQ(table.grid.editor()->toPlainText(), QStringLiteral("x"));
    type(table.grid.editor(), QStringLiteral("yz"));
    QTest::keyClick(table.grid.editor(), Qt::Key_Return);
    EXPECT_EQ(table.text(1, 1), "xyz");
    EXPECT_EQ(table.events.raised, (std::vector<Raised>{{GridEvent::CellsChanged, {2, 2, 1, 1}}}));
    QApplication::processEvents();
    EXPECT_EQ(table.grid.editor(), nullptr);
}

TEST(GridEditingTest, CtrlEnterBreaksTheLineAndEscapeCancels) {
    GridFixture table(5, 5);
    QTest::keyClick(&table.grid, 'a');
    QTest::keyClick(table.grid.editor(), Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(table.grid.editor(), 'b');
    EXPECT_EQ(table.grid.editor()->toPlainText(), QStringLiteral("a\nb"));
    QTest::keyClick(table.grid.editor(), Qt::Key_Return);
    EXPECT_EQ(table.text(0, 0), "a\r\nb");

    table.events.raised.clear();
    QTest::keyClick(&table.grid, 'q');
    QTest::keyClick(table.grid.editor(), Qt::Key_Escape);
    EXPECT_EQ(table.text(0, 0), "a\r\nb");
    EXPECT_TRUE(table.events.raised.empty());
}

TEST(GridEditingTest, ReopenedMultiLineTextRoundTrips) {
    GridFixture table(5, 5);
    table.source.setCellText(0, 0, "a\r\nb");
    ASSERT_TRUE(table.grid.startEdit());
    EXPECT_EQ(table.grid.editor()->toPlainText(), QStringLiteral("a\nb"));
    QTest::keyClick(table.grid.editor(), Qt::Key_Return);
    EXPECT_TRUE(table.events.raised.empty());
}

TEST(GridEditingTest, UnchangedTextRaisesNothing) {
    GridFixture table(5, 5);
    table.source.setCellText(0, 0, "same");
    ASSERT_TRUE(table.grid.startEdit());
    QTest::keyClick(table.grid.editor(), Qt::Key_Return);
    EXPECT_TRUE(table.events.raised.empty());
}

TEST(GridEditingTest, LosingTheFocusCommits) {
    GridFixture table(5, 5);
    QTest::keyClick(&table.grid, '7');
    QFocusEvent focusOut(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(table.grid.editor(), &focusOut);
    EXPECT_EQ(table.text(0, 0), "7");
}

// Keys go to the window's focus widget also while the window is not the active one,
// so the grid must be that widget again once the editor is gone; unless the focus
// went to another widget, which keeps it.
TEST(GridEditingTest, TheGridHasTheKeysAgainOnceTheEditorCloses) {
    struct Case {
        const char* what;
        bool active;
        std::function<void(GridFixture&, QWidget& elsewhere)> close;
        bool gridHasTheKeys;
    };
    const Case cases[] = {
        {"Enter", true, [](GridFixture& t, QWidget&) { QTest::keyClick(t.grid.editor(), Qt::Key_Return); }, true},
        {"Escape", true, [](GridFixture& t, QWidget&) { QTest::keyClick(t.grid.editor(), Qt::Key_Escape); }, true},
        {"Enter in an inactive window", false,
         [](GridFixture& t, QWidget&) { QTest::keyClick(t.grid.editor(), Qt::Key_Return); }, true},
        {"Escape in an inactive window", false,
         [](GridFixture& t, QWidget&) { QTest::keyClick(t.grid.editor(), Qt::Key_Escape); }, true},
        {"focus to another widget", true, [](GridFixture&, QWidget& elsewhere) { elsewhere.setFocus(); }, false},
    };
    for (const Case& c : cases) {
        GridFixture table(5, 5);
        QLineEdit elsewhere(&table.grid);
        elsewhere.show();
        table.grid.activateWindow();
        QApplication::setActiveWindow(c.active ? &table.grid : nullptr);
        table.grid.setFocus();
        QTest::keyClick(&table.grid, '7');
        ASSERT_NE(table.grid.editor(), nullptr) << c.what;
        ASSERT_EQ(table.grid.window()->focusWidget(), table.grid.editor()) << c.what;
        c.close(table, elsewhere);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(table.grid.window()->focusWidget() == &table.grid, c.gridHasTheKeys) << c.what;
    }
}

TEST(GridEditingTest, ScrollingAndTableChangesCommitFirst) {
    GridFixture table(50, 5);
    QTest::keyClick(&table.grid, 'a');
    table.grid.scrollTo(3, 0);
    EXPECT_EQ(table.text(0, 0), "a");
    table.grid.selectCell(5, 1);
    QTest::keyClick(&table.grid, 'b');
    table.source.insertRows(0, 1);
    EXPECT_EQ(table.text(6, 1), "b");
}

TEST(GridEditingTest, InputTypeConvertsTheCommittedText) {
    GridFixture table(5, 5);
    table.source.setInputType({0, 0, 1, 1}, grid::InputType::Byte);
    QTest::keyClick(&table.grid, '3');
    type(table.grid.editor(), QStringLiteral("00"));
    QTest::keyClick(table.grid.editor(), Qt::Key_Return);
    EXPECT_EQ(table.text(0, 0), "255");
}

TEST(GridEditingTest, LockedCellsAndReadOnlySourcesRefuse) {
    GridFixture table(5, 5);
    table.provider.setFlags(1, 1, table.flags(1, 1) | grid::CellFlags::kLocked);
    table.grid.selectCell(1, 1);
    QTest::keyClick(&table.grid, 'x');
    EXPECT_EQ(table.grid.editor(), nullptr);
    table.grid.selectCell(2, 2);
    table.source.setReadOnly(true);
    QTest::keyClick(&table.grid, 'x');
    EXPECT_EQ(table.grid.editor(), nullptr);
    EXPECT_EQ(table.text(2, 2), "");
}

TEST(GridEditingTest, ControlCharactersStartNothing) {
    GridFixture table(5, 5);
    QTest::keyClick(&table.grid, Qt::Key_Tab);
    QTest::keyClick(&table.grid, Qt::Key_Backspace);
    EXPECT_EQ(table.grid.editor(), nullptr);
}

TEST(GridEditingTest, EditorGrowsWithItsText) {
    GridFixture table(5, 5);
    QTest::keyClick(&table.grid, 'a');
    const int narrow = table.grid.editor()->width();
    type(table.grid.editor(), QStringLiteral("bcdefghijklmnopqrstuvwxyz"));
    EXPECT_GT(table.grid.editor()->width(), narrow);
    EXPECT_LE(table.grid.editor()->geometry().right(), table.grid.viewport()->width());
}

TEST(GridEditingTest, InputMethodCommitOfChineseText) {
    GridFixture table(5, 5);
    table.grid.selectCell(2, 1);
    table.source.setCellText(2, 1, "旧");
    QInputMethodEvent composing(QStringLiteral("zhong"), {});
    QApplication::sendEvent(&table.grid, &composing);
    ASSERT_NE(table.grid.editor(), nullptr);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("中文"));
    QApplication::sendEvent(table.grid.editor(), &commit);
    EXPECT_EQ(table.grid.editor()->toPlainText(), QStringLiteral("中文"));
    QTest::keyClick(table.grid.editor(), Qt::Key_Return);
    EXPECT_EQ(table.text(2, 1), "中文");
    EXPECT_EQ(table.events.raised.back(), (Raised{GridEvent::CellsChanged, {3, 2, 1, 1}}));
}

TEST(GridEditingTest, InputMethodCommitWithoutCompositionStartsTheEdit) {
    GridFixture table(5, 5);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("表格"));
    QApplication::sendEvent(&table.grid, &commit);
    ASSERT_NE(table.grid.editor(), nullptr);
    EXPECT_EQ(table.grid.editor()->toPlainText(), QStringLiteral("表格"));
    EXPECT_TRUE(table.grid.inputMethodQuery(Qt::ImEnabled).toBool());
    EXPECT_EQ(table.grid.inputMethodQuery(Qt::ImCursorRectangle).toRect(), table.cellRect(0, 0));
}

TEST(GridEditingTest, AbandonedCompositionLeavesTheCellAlone) {
    GridFixture table(5, 5);
    table.source.setCellText(0, 0, "keep");
    QInputMethodEvent composing(QStringLiteral("bi"), {});
    QApplication::sendEvent(&table.grid, &composing);
    ASSERT_NE(table.grid.editor(), nullptr);
    QInputMethodEvent abandoned;
    QApplication::sendEvent(table.grid.editor(), &abandoned);
    QApplication::processEvents();
    EXPECT_EQ(table.grid.editor(), nullptr);
    EXPECT_EQ(table.text(0, 0), "keep");
}

TEST(GridClipboardTest, CopyAndPasteRoundTripWithGrowth) {
    GridFixture table(4, 4);
    table.source.setCellText(0, 0, "甲");
    table.source.setCellText(1, 1, "乙");
    table.grid.selectCell(0, 0);
    table.grid.extendSelection(1, 1);
    QTest::keyClick(&table.grid, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->formats(), QStringList{QStringLiteral("application/x-qt-windows-mime;value=\"MGridCells\"")});

    table.grid.selectCell(3, 3);
    table.events.raised.clear();
    QTest::keyClick(&table.grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(table.source.rowCount(), 5);
    EXPECT_EQ(table.source.columnCount(), 5);
    EXPECT_EQ(table.text(3, 3), "甲");
    EXPECT_EQ(table.text(4, 4), "乙");
    EXPECT_EQ(table.events.raised, (std::vector<Raised>{{GridEvent::TableSizeChanged, {}},
                                                        {GridEvent::CellsChanged, {4, 4, 2, 2}}}));
}

TEST(GridClipboardTest, PasteWithoutGrowthOrIntoLockedCells) {
    GridFixture table(4, 4);
    table.source.setCellText(0, 0, "a");
    table.source.setCellText(0, 1, "b");
    table.grid.selectCell(0, 0);
    table.grid.extendSelection(0, 1);
    table.grid.copySelection();

    table.grid.setFlag(grid::GridFlags::kPasteMayGrow, false);
    table.grid.selectCell(2, 3);
    EXPECT_FALSE(table.grid.pasteFromClipboard());
    EXPECT_EQ(table.source.columnCount(), 4);

    table.provider.setFlags(2, 2, table.flags(2, 2) | grid::CellFlags::kLocked);
    table.grid.selectCell(2, 1);
    EXPECT_TRUE(table.grid.pasteFromClipboard());
    EXPECT_EQ(table.text(2, 1), "a");
    EXPECT_EQ(table.text(2, 2), "");

    table.source.setReadOnly(true);
    table.grid.selectCell(3, 0);
    EXPECT_FALSE(table.grid.pasteFromClipboard());
}

TEST(GridClipboardTest, PasteWithoutGridCellsDoesNothing) {
    GridFixture table(4, 4);
    QApplication::clipboard()->setText(QStringLiteral("plain"));
    table.events.raised.clear();
    EXPECT_FALSE(table.grid.pasteFromClipboard());
    EXPECT_TRUE(table.events.raised.empty());
}

}  // namespace
