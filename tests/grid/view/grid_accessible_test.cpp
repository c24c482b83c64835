// The grid as a screen reader finds it: a table of cells with texts, spans, headers,
// the current cell focused and edits announced.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>
#include <vector>

#include "grid/view/grid_accessibility.h"
#include "tests/support/reader_listening.h"
#include "grid/view/grid_cell_accessible.h"
#include "grid/view/grid_table_accessible.h"
#include "runtime/platform/gbk_codec.h"
#include "tests/grid/view/grid_fixture.h"

namespace {

struct Heard {
    QAccessible::Event type;
    int row;
    int column;
    QString text;
};

// What a reader listening to the program hears: each event with the cell it is about.
std::vector<Heard> heard;

void listen(QAccessibleEvent* event) {
    QAccessibleInterface* source = event->accessibleInterface();
    QAccessibleTableCellInterface* cell = source ? source->tableCellInterface() : nullptr;
    if (!cell) return;
    QString text;
    if (event->type() == QAccessible::TextInserted) text = static_cast<QAccessibleTextInsertEvent*>(event)->textInserted();
    if (event->type() == QAccessible::TextRemoved) text = static_cast<QAccessibleTextRemoveEvent*>(event)->textRemoved();
    if (event->type() == QAccessible::Focus) text = source->text(QAccessible::Name);
    heard.push_back({event->type(), cell->rowIndex(), cell->columnIndex(), text});
}

class GridAccessibleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        grid::installGridAccessibility();
        QAccessible::installUpdateHandler(listen);
    }
    void SetUp() override { heard.clear(); }
    void TearDown() override { setReaderListening(false); }

    static QAccessibleTableInterface* tableOf(GridFixture& fixture) {
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(&fixture.grid);
        return grid ? grid->tableInterface() : nullptr;
    }
    static QString textAt(QAccessibleTableInterface* table, int row, int column) {
        return table->cellAt(row, column)->text(QAccessible::Name);
    }
};

TEST_F(GridAccessibleTest, ReadsCellsSpansAndHeaders) {
    // Row 0 and column 0 are fixed; (2, 2)-(3, 4) is one block; (4, 1) a picture.
    GridFixture fixture(6, 5);
    fixture.provider.setFixedRows(1);
    fixture.provider.setFixedColumns(1);
    fixture.source.setCellText(0, 2, rt::toGbk(QStringLiteral(u"姓名")));
    fixture.source.setCellText(2, 0, "7");
    fixture.source.setCellText(1, 2, "line one\r\nline two");
    fixture.source.setCellText(2, 2, rt::toGbk(QStringLiteral(u"合并")));
    fixture.source.mergeCells({2, 2, 2, 3});
    const uint8_t png[] = {0x89, 'P', 'N', 'G'};
    fixture.source.setKind({4, 1, 1, 1}, grid::CellKind::Picture);
    fixture.source.setCellData(4, 1, png);
    fixture.source.notifyTableReset();

    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(&fixture.grid);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->role(), QAccessible::Table);
    QAccessibleTableInterface* table = grid->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 6);
    EXPECT_EQ(table->columnCount(), 5);

    EXPECT_EQ(textAt(table, 1, 2), QStringLiteral("line one\nline two"));
    EXPECT_EQ(textAt(table, 4, 1), QStringLiteral(u"图片"));
    EXPECT_EQ(textAt(table, 5, 4), QString());

    // Every cell of the block is the block: one object, its spans, its top-left.
    QAccessibleInterface* block = table->cellAt(3, 4);
    EXPECT_EQ(block, table->cellAt(2, 2));
    EXPECT_EQ(block->text(QAccessible::Name), QStringLiteral(u"合并"));
    QAccessibleTableCellInterface* spans = block->tableCellInterface();
    EXPECT_EQ(spans->rowIndex(), 2);
    EXPECT_EQ(spans->columnIndex(), 2);
    EXPECT_EQ(spans->rowExtent(), 2);
    EXPECT_EQ(spans->columnExtent(), 3);
    EXPECT_EQ(block->textInterface()->text(0, -1), QStringLiteral(u"合并"));
    // A reader can tell a bold cell from a plain one.
    int start = -1, end = -1;
    EXPECT_TRUE(block->textInterface()->attributes(0, &start, &end).contains(QStringLiteral("font-weight:400;")));
    fixture.source.setFontStyle({2, 2, 1, 1}, 1);  // bold
    EXPECT_TRUE(block->textInterface()->attributes(0, &start, &end).contains(QStringLiteral("font-weight:700;")));
    EXPECT_EQ(end, 2);

    // The fixed row heads the columns, the fixed column the rows.
    const QList<QAccessibleInterface*> columnHeaders = block->tableCellInterface()->columnHeaderCells();
    ASSERT_EQ(columnHeaders.size(), 1);
    EXPECT_EQ(columnHeaders[0]->text(QAccessible::Name), QStringLiteral(u"姓名"));
    const QList<QAccessibleInterface*> rowHeaders = block->tableCellInterface()->rowHeaderCells();
    ASSERT_EQ(rowHeaders.size(), 1);
    EXPECT_EQ(rowHeaders[0]->text(QAccessible::Name), QStringLiteral("7"));
    EXPECT_EQ(table->columnDescription(2), QStringLiteral(u"姓名"));

    // Children are numbered row by row, as the bridge counts them, both ways.
    EXPECT_EQ(grid->childCount(), 30);
    EXPECT_EQ(grid->indexOfChild(table->cellAt(4, 1)), 21);
    EXPECT_EQ(grid->child(21), table->cellAt(4, 1));
    // A point on the screen finds the block shown there.
    const QRect shown = block->rect();
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_EQ(grid->childAt(shown.center().x(), shown.center().y()), block);
    EXPECT_EQ(table->cellAt(6, 0), nullptr);
}

TEST_F(GridAccessibleTest, FollowsTheCursorTheSelectionAndEdits) {
    GridFixture fixture(8, 4);
    fixture.source.setCellText(2, 1, "below");
    fixture.source.setCellText(2, 2, "right");
    QApplication::setActiveWindow(&fixture.grid);
    fixture.grid.setFocus();
    setReaderListening(true);
    fixture.grid.selectCell(1, 1);
    heard.clear();

    QTest::keyClick(&fixture.grid, Qt::Key_Down);
    QTest::keyClick(&fixture.grid, Qt::Key_Right);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].type, QAccessible::Focus);
    EXPECT_EQ(heard[0].text, QStringLiteral("below"));
    EXPECT_EQ(heard[1].row, 2);
    EXPECT_EQ(heard[1].column, 2);
    EXPECT_EQ(heard[1].text, QStringLiteral("right"));
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(&fixture.grid);
    EXPECT_EQ(grid->focusChild(), grid->tableInterface()->cellAt(2, 2));
    EXPECT_TRUE(grid->focusChild()->state().focused);

    // Typing over the current cell: its old text goes, the new one comes.
    heard.clear();
    QTest::keyClick(&fixture.grid, 'n');
    QTest::keyClicks(fixture.grid.editor(), QStringLiteral("ew"));
    QTest::keyClick(fixture.grid.editor(), Qt::Key_Return);
    std::vector<std::pair<QAccessible::Event, QString>> texts;
    for (const Heard& event : heard) {
        if (event.row == 2 && event.column == 2 && event.type != QAccessible::Focus) texts.push_back({event.type, event.text});
    }
    const std::vector<std::pair<QAccessible::Event, QString>> expected = {
        {QAccessible::TextRemoved, QStringLiteral("right")}, {QAccessible::TextInserted, QStringLiteral("new")}};
    EXPECT_EQ(texts, expected);

    // Shift+Down grows the selection: the table tells which cells and rows it holds.
    QAccessibleTableInterface* table = grid->tableInterface();
    fixture.grid.selectCell(3, 1);
    fixture.grid.extendSelection(4, 2);
    EXPECT_EQ(table->selectedCellCount(), 4);
    EXPECT_TRUE(table->cellAt(4, 2)->tableCellInterface()->isSelected());
    EXPECT_FALSE(table->cellAt(4, 3)->tableCellInterface()->isSelected());
    EXPECT_EQ(table->selectedCells().size(), 4);
    EXPECT_EQ(table->selectedRowCount(), 0);
    EXPECT_TRUE(table->selectRow(5));
    EXPECT_EQ(table->selectedRows(), QList<int>{5});
    EXPECT_TRUE(table->isRowSelected(5));
    EXPECT_FALSE(table->isColumnSelected(0));
}

// A reader stepping through a long table leaves no object behind for every cell it
// passed, and the cell it stands on survives the clean-up.
TEST_F(GridAccessibleTest, ALongTableKeepsFewCellObjects) {
    GridFixture fixture(100'000, 10);
    setReaderListening(true);
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(&fixture.grid);
    auto* table = dynamic_cast<grid::GridTableAccessible*>(grid);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(grid->childCount(), 1'000'000);
    QAccessibleInterface* last = grid->tableInterface()->cellAt(99'999, 9);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(grid->indexOfChild(last), 999'999);

    QApplication::setActiveWindow(&fixture.grid);
    fixture.grid.setFocus();
    QTest::keyClick(&fixture.grid, Qt::Key_End, Qt::ControlModifier);
    QAccessibleInterface* current = grid->focusChild();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->tableCellInterface()->rowIndex(), 99'999);
    for (int row = 0; row < 20'000; ++row) grid->tableInterface()->cellAt(row, row % 10);
    EXPECT_LT(table->madeCellsWithin({0, 0, 100'000, 10}).size(), 5'000u);
    EXPECT_EQ(grid->focusChild(), current);
}

}  // namespace
