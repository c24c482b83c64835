#include "grid/model/table.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "grid/model/limits.h"

namespace {

using grid::Table;

// Fills each cell with "r,c" so that moves can be followed.
Table labelledTable(int rows, int columns) {
    Table table({58, 312});
    table.setSize(rows, columns);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) table.cell(r, c).setTextContent(std::to_string(r) + "," + std::to_string(c));
    }
    return table;
}

std::string row(const Table& table, int r) {
    std::string joined;
    for (int c = 0; c < table.columnCount(); ++c) {
        std::string_view text = table.cell(r, c).text();
        joined += std::string(text.empty() ? "-" : text) + " ";
    }
    return joined;
}

TEST(TableTest, DefaultSizesComeFromTheLetterW) {
    grid::FixedTextMeasurer measurer({20, 40});
    grid::DefaultSizes sizes = grid::measureDefaultSizes(measurer);
    EXPECT_EQ(sizes.columnWidth, 21 * 14 + 18);
    EXPECT_EQ(sizes.rowHeight, 58);
}

TEST(TableTest, SizingMakesNewCellsWithoutKindOrLinks) {
    Table table({58, 312});
    ASSERT_TRUE(table.setSize(2, 3));
    table.setFixedRows(1);
    ASSERT_TRUE(table.setSize(3, 3));
    EXPECT_EQ(table.fixedRows(), 0);
    EXPECT_EQ(table.cell(2, 2).flags(), 1u);
    EXPECT_EQ(table.cell(2, 2).backColor(), 0xFF000000u);
    EXPECT_EQ(table.cell(2, 2).fontSize(), 40);
    EXPECT_EQ(table.cell(2, 2).margin(), 9);
    EXPECT_EQ(table.rowHeight(2), 58);
    EXPECT_EQ(table.columnWidth(2), 312);
}

TEST(TableTest, ColumnsInsertedAndDeletedKeepEveryCellInItsRow) {
    Table table = labelledTable(3, 3);
    ASSERT_TRUE(table.insertColumns(1, 2));
    EXPECT_EQ(table.columnCount(), 5);
    EXPECT_EQ(row(table, 0), "0,0 - - 0,1 0,2 ");
    EXPECT_EQ(row(table, 2), "2,0 - - 2,1 2,2 ");
    EXPECT_EQ(table.columnWidth(1), 312);
    ASSERT_TRUE(table.deleteColumns(0, 2));
    EXPECT_EQ(row(table, 1), "- 1,1 1,2 ");
    ASSERT_TRUE(table.insertColumns(3, 1));
    EXPECT_EQ(row(table, 2), "- 2,1 2,2 - ");
}

TEST(TableTest, RowsInsertedAndDeletedMoveTheTail) {
    Table table = labelledTable(3, 2);
    ASSERT_TRUE(table.insertRows(1, 2));
    EXPECT_EQ(row(table, 0), "0,0 0,1 ");
    EXPECT_EQ(row(table, 1), "- - ");
    EXPECT_EQ(row(table, 3), "1,0 1,1 ");
    ASSERT_TRUE(table.deleteRows(0, 3));
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(row(table, 0), "1,0 1,1 ");
    ASSERT_TRUE(table.deleteRows(1, 100)) << "the count is clipped";
    EXPECT_EQ(table.rowCount(), 1);
}

TEST(TableTest, AppendingAndInsertingRowsLeavesTheCellsOfOtherRowsWhereTheyAre) {
    Table table = labelledTable(600, 4);
    const grid::Cell* first = &table.cell(0, 0);
    const grid::Cell* last = &table.cell(599, 3);
    for (int i = 0; i < 40; ++i) table.insertRows(table.rowCount(), 1);
    table.insertRows(0, 3);
    EXPECT_EQ(&table.cell(3, 0), first) << "rows are moved as a whole, never copied cell by cell";
    EXPECT_EQ(&table.cell(602, 3), last);
    EXPECT_EQ(table.cell(602, 3).text(), "599,3");
}

TEST(TableTest, ACopySharesItsRowsUntilEitherSideWrites) {
    Table table = labelledTable(700, 3);
    Table kept = table;
    EXPECT_EQ(&std::as_const(kept).cell(0, 0), &std::as_const(table).cell(0, 0)) << "the copy owns nothing yet";

    table.cell(300, 1).setTextContent("new");
    table.setRowHeights(650, 2, 99);
    EXPECT_EQ(row(kept, 300), "300,0 300,1 300,2 ") << "the kept copy does not see the change";
    EXPECT_EQ(row(table, 300), "300,0 new 300,2 ");
    EXPECT_EQ(kept.rowHeight(650), 58);
    EXPECT_EQ(table.rowHeight(651), 99);
    EXPECT_EQ(table.rowsDifferingFrom(kept), (grid::RowSpan{300, 651}));
    EXPECT_TRUE(table.hasSameFrame(kept));

    kept.insertColumns(1, 1);
    kept.deleteRows(0, 1);
    EXPECT_EQ(row(table, 1), "1,0 1,1 1,2 ") << "structural changes of the copy leave the original alone";
    EXPECT_EQ(row(kept, 0), "1,0 - 1,1 1,2 ");
    EXPECT_FALSE(table.hasSameFrame(kept));
}

TEST(TableTest, RowsOfANewTableShareOneStorageUntilWritten) {
    Table table({58, 312});
    ASSERT_TRUE(table.setSize(1000, 5));
    EXPECT_EQ(&std::as_const(table).cell(0, 0), &std::as_const(table).cell(999, 0));
    table.cell(10, 2).setTextContent("x");
    table.setRowHeights(20, 5, 70);
    ASSERT_TRUE(table.insertColumns(0, 1));
    EXPECT_EQ(row(table, 10), "- - - x - - ");
    EXPECT_EQ(row(table, 11), "- - - - - - ") << "the other rows did not take the written text";
    EXPECT_EQ(table.rowHeight(24), 70);
    EXPECT_EQ(table.rowHeight(25), 58);
    EXPECT_EQ(table.cell(999, 5).flags(), 1u);
    EXPECT_EQ(&std::as_const(table).cell(0, 0), &std::as_const(table).cell(998, 0))
        << "rows that shared one storage before the new column still share one";
}

TEST(TableTest, SetDeletionsTakeExactlyTheGivenRowsAndColumns) {
    Table table = labelledTable(6, 5);
    table.setColumnWidth(3, 400);
    table.setFixedRows(5);
    table.setFixedColumns(5);
    ASSERT_TRUE(table.deleteRowSet(std::vector{0, 2, 3, 5}));
    ASSERT_TRUE(table.deleteColumnSet(std::vector{0, 1, 4}));
    EXPECT_EQ(row(table, 0), "1,2 1,3 ");
    EXPECT_EQ(row(table, 1), "4,2 4,3 ");
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.columnCount(), 2);
    EXPECT_EQ(table.columnWidth(1), 400) << "widths go with their columns";
    EXPECT_EQ(table.fixedRows(), 2);
    EXPECT_EQ(table.fixedColumns(), 2);
    ASSERT_TRUE(table.deleteRowSet(std::vector{0, 1}));
    ASSERT_TRUE(table.deleteColumnSet(std::vector<int32_t>{}));
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_EQ(table.columnCount(), 2);
}

TEST(TableTest, SetDeletionsRefuseSetsThatAreNotAscendingOrLeaveTheTable) {
    const std::vector<std::vector<int32_t>> refused = {{1, 0}, {1, 1}, {-1}, {0, 3}};
    for (const std::vector<int32_t>& set : refused) {
        Table table = labelledTable(3, 3);
        EXPECT_FALSE(table.deleteRowSet(set));
        EXPECT_FALSE(table.deleteColumnSet(set));
        EXPECT_EQ(row(table, 2), "2,0 2,1 2,2 ") << "a refused set changes nothing";
    }
}

TEST(TableTest, ARowSetDeletionMovesRowsWholeAndSharesWhatItDidNotTouch) {
    Table table = labelledTable(1000, 2);
    Table kept = table;
    const grid::Cell* moved = &std::as_const(table).cell(700, 1);
    ASSERT_TRUE(table.deleteRowSet(std::vector{300, 301, 650, 999}));
    EXPECT_EQ(&std::as_const(table).cell(697, 1), moved) << "rows are moved as a whole, never copied";
    EXPECT_EQ(row(table, 299), "299,0 299,1 ");
    EXPECT_EQ(row(table, 300), "302,0 302,1 ");
    EXPECT_EQ(row(table, 647), "649,0 649,1 ");
    EXPECT_EQ(row(table, 648), "651,0 651,1 ");
    EXPECT_EQ(table.rowCount(), 996);
    EXPECT_EQ(kept.rowCount(), 1000);
    EXPECT_EQ(row(kept, 300), "300,0 300,1 ") << "the copy keeps its rows";
    EXPECT_EQ(table.rowsDifferingFrom(kept), (grid::RowSpan{300, 999}))
        << "the positions before the first deleted row, in its chunk too, still share their rows";
}

TEST(TableTest, AColumnSetDeletionLeavesACopyAlone) {
    Table table = labelledTable(300, 4);
    Table kept = table;
    ASSERT_TRUE(table.deleteColumnSet(std::vector{1, 3}));
    EXPECT_EQ(row(table, 299), "299,0 299,2 ");
    EXPECT_EQ(row(kept, 299), "299,0 299,1 299,2 299,3 ");
}

TEST(TableTest, StructuralChangesRefuseBadPositionsAndTheLimits) {
    Table table = labelledTable(2, 2);
    EXPECT_FALSE(table.insertRows(3, 1));
    EXPECT_FALSE(table.insertRows(0, -1));
    EXPECT_FALSE(table.deleteColumns(2, 1));
    EXPECT_FALSE(table.setSize(-1, 2));
    EXPECT_FALSE(table.setSize(grid::kMaxRows + 1, 1));
    EXPECT_FALSE(table.insertColumns(0, grid::kMaxColumns));
    EXPECT_EQ(row(table, 1), "1,0 1,1 ") << "a refused change leaves the table alone";
    table.setFixedColumns(5);
    EXPECT_EQ(table.fixedColumns(), 2);
}

}  // namespace
