#include "grid/model/table.h"

#include <gtest/gtest.h>

#include <string>

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
    EXPECT_EQ(table.cell(2, 2).flags, 1u);
    EXPECT_EQ(table.cell(2, 2).backColor, 0xFF000000u);
    EXPECT_EQ(table.cell(2, 2).fontSize, 40);
    EXPECT_EQ(table.cell(2, 2).margin, 9);
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

TEST(TableTest, RepeatedSingleRowAppendsDoNotCopyTheTableEachTime) {
    Table table = labelledTable(64, 4);
    const grid::Cell* first = &table.cell(0, 0);
    int moves = 0;
    for (int i = 0; i < 40; ++i) {
        table.insertRows(table.rowCount(), 1);
        if (&table.cell(0, 0) != first) {
            ++moves;
            first = &table.cell(0, 0);
        }
    }
    EXPECT_LE(moves, 5) << "growth by an eighth at a time";
    EXPECT_EQ(table.cell(0, 0).text(), "0,0");
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
