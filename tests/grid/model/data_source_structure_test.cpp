// Row and column insertion and deletion with their line, merge and fixed-row repairs.
#include <gtest/gtest.h>

#include "tests/grid/support/table_fixture.h"

namespace {

using namespace grid::CellFlags;
using Kind = grid::ModelNotice::Kind;

TEST(DataSourceStructureTest, InsertingAtRowZeroMovesTheTopLinesToTheNewFirstRow) {
    TableFixture table(2, 3);
    table.source.drawLines({0, 0, 1, 2}, 2 | 8);
    ASSERT_TRUE(table.source.insertRows(0, 2));
    for (int column = 0; column < 2; ++column) {
        EXPECT_TRUE(table.flags(0, column) & kTopLine) << column;
        EXPECT_FALSE(table.flags(2, column) & kTopLine) << "the old first row loses its top line";
        EXPECT_TRUE(table.flags(2, column) & kBottomLine);
        EXPECT_TRUE(table.flags(1, column) & kBottomLine) << "new rows copy the lines of the row below";
    }
    EXPECT_FALSE(table.flags(0, 2) & kTopLine);
}

TEST(DataSourceStructureTest, DeletingTheFirstRowsGivesTopLinesWhereTheLastDeletedRowHadBottomLines) {
    TableFixture table(4, 3);
    table.source.drawLines({1, 0, 1, 1}, 8);
    table.source.drawLines({0, 1, 1, 1}, 2);
    ASSERT_TRUE(table.source.deleteRows(0, 2));
    EXPECT_TRUE(table.flags(0, 0) & kTopLine) << "row 1 had a bottom line in column 0";
    EXPECT_FALSE(table.flags(0, 1) & kTopLine);
    EXPECT_FALSE(table.flags(0, 2) & kTopLine);
}

TEST(DataSourceStructureTest, InsertingInsideAMergedBlockExtendsIt) {
    TableFixture table(4, 3);
    table.source.mergeCells({1, 0, 2, 2});
    ASSERT_TRUE(table.source.insertRows(2, 1));
    EXPECT_EQ(table.flags(2, 0) & kMergeMask, kJoinedAbove | kJoinedBelow | kJoinedRight);
    EXPECT_EQ(table.flags(2, 1) & kMergeMask, kJoinedAbove | kJoinedBelow | kJoinedLeft);
    EXPECT_EQ(table.flags(2, 2) & kMergeMask, 0u);
    ASSERT_TRUE(table.source.insertColumns(1, 1));
    EXPECT_EQ(table.flags(1, 1) & kMergeMask, kJoinedLeft | kJoinedRight | kJoinedBelow);
    EXPECT_EQ(table.flags(3, 1) & kMergeMask, kJoinedLeft | kJoinedRight | kJoinedAbove);
}

TEST(DataSourceStructureTest, DeletingPartOfAMergedBlockRepairsTheLinksAtTheSeam) {
    struct Case {
        int deleteAt;
        int deleteCount;
        std::vector<uint32_t> links;  // merge links of column 0 in every remaining row
    };
    // The block spans rows 1..3 of columns 0..1 in a 5-row table.
    const uint32_t top = kJoinedRight | kJoinedBelow;
    const uint32_t bottom = kJoinedRight | kJoinedAbove;
    const Case cases[] = {
        {1, 1, {0, top, bottom, 0}},  // its first row goes
        {2, 1, {0, top, bottom, 0}},  // a middle row goes
        {3, 2, {0, top, bottom}},     // its last row and the tail go
        {2, 2, {0, kJoinedRight, 0}},  // all but its first row go
        {0, 3, {kJoinedRight, 0}},     // all but its last row go
    };
    for (const Case& c : cases) {
        TableFixture table(5, 2);
        table.source.mergeCells({1, 0, 3, 2});
        ASSERT_TRUE(table.source.deleteRows(c.deleteAt, c.deleteCount));
        std::vector<uint32_t> links;
        for (int row = 0; row < table.source.rowCount(); ++row) links.push_back(table.flags(row, 0) & kMergeMask);
        EXPECT_EQ(links, c.links) << "deleting " << c.deleteCount << " at " << c.deleteAt;
    }
}

TEST(DataSourceStructureTest, FixedRowsMovePastABlockThatWouldCrossTheBoundary) {
    TableFixture table(6, 2);
    table.provider.setFixedRows(3);
    table.source.mergeCells({2, 0, 3, 1});
    ASSERT_TRUE(table.source.deleteRows(0, 1));
    EXPECT_EQ(table.provider.fixedRows(), 4) << "the block now spans rows 1..3";
    ASSERT_TRUE(table.source.deleteRows(4, 1));
    EXPECT_EQ(table.provider.fixedRows(), 4) << "deleting below the fixed rows leaves them";
}

TEST(DataSourceStructureTest, NoticesComeInTheOrderOfTheSteps) {
    TableFixture table(5, 2);
    table.source.setCurrentRow(3);
    table.recorder.notices.clear();
    ASSERT_TRUE(table.source.insertRows(1, 2));
    ASSERT_EQ(table.recorder.kinds(), (std::vector{Kind::BeforeChange, Kind::RowsInserted, Kind::CurrentRow}));
    EXPECT_EQ(table.recorder.notices[1].row, 1);
    EXPECT_EQ(table.recorder.notices[1].rowCount, 2);
    EXPECT_EQ(table.source.currentRow(), 5);
}

TEST(DataSourceStructureTest, TheCurrentRowFollowsDeletions) {
    struct Case {
        int current;
        int at;
        int count;
        int expected;
        bool notice;
    };
    const Case cases[] = {
        {6, 1, 2, 6, false},  // rows above go: the number stays
        {3, 2, 3, 2, true},   // the current row itself goes: the first row after the gap
        {2, 2, 1, 2, true},   // same number, but another row: the views are told
        {9, 5, 2, 7, true},   // the number no longer exists
        {1, 5, 2, 1, false},
    };
    for (const Case& c : cases) {
        TableFixture table(10, 1);
        table.source.setCurrentRow(c.current);
        table.recorder.notices.clear();
        ASSERT_TRUE(table.source.deleteRows(c.at, c.count));
        EXPECT_EQ(table.source.currentRow(), c.expected) << c.current;
        EXPECT_EQ(table.recorder.kinds().back() == Kind::CurrentRow, c.notice) << c.current;
    }
}

TEST(DataSourceStructureTest, RowsIntoAnEmptyTableMakeTheFirstNewRowCurrent) {
    struct Case {
        const char* how;
        int staleCurrent;  // the current row before the provider lost its rows; -1: never had rows
        bool append;
        int count;
        bool notice;
    };
    const Case cases[] = {
        {"insert into a table made empty", -1, false, 3, false},
        {"append to a table made empty", -1, true, 4, false},
        {"one row", -1, true, 1, false},
        {"insert after the provider was emptied under row 7", 7, false, 3, true},
        {"append after the provider was emptied under row 7", 7, true, 5, true},
        {"the old number exists again among the new rows", 2, true, 9, true},
    };
    for (const Case& c : cases) {
        TableFixture table(c.staleCurrent < 0 ? 0 : 10, 2);
        if (c.staleCurrent >= 0) {
            table.source.setCurrentRow(c.staleCurrent);
            table.provider.setSize(0, 2);
        }
        table.recorder.notices.clear();
        ASSERT_TRUE(c.append ? table.source.appendRows(c.count) : table.source.insertRows(0, c.count)) << c.how;
        EXPECT_EQ(table.source.rowCount(), c.count) << c.how;
        EXPECT_EQ(table.source.currentRow(), 0) << c.how;
        EXPECT_EQ(table.recorder.kinds().back() == Kind::CurrentRow, c.notice) << c.how;
    }
}

TEST(DataSourceStructureTest, RowsIntoATableWhoseRowsWereDeletedStartAtTheTop) {
    TableFixture table(6, 2);
    table.source.setCurrentRow(4);
    ASSERT_TRUE(table.source.deleteRows(0, 6));
    ASSERT_TRUE(table.source.appendRows(3));
    EXPECT_EQ(table.source.currentRow(), 0);
    ASSERT_TRUE(table.source.insertRows(0, 2));
    EXPECT_EQ(table.source.currentRow(), 2) << "in a table with rows the current row moves down with its row";
}

TEST(DataSourceStructureTest, PositionsAndCountsAreValidated) {
    TableFixture table(3, 3);
    EXPECT_TRUE(table.source.insertRows(3, 1)) << "one past the last row appends";
    EXPECT_FALSE(table.source.insertRows(5, 1));
    EXPECT_FALSE(table.source.insertColumns(-1, 1));
    EXPECT_FALSE(table.source.insertColumns(0, -1));
    EXPECT_TRUE(table.source.insertColumns(0, 0));
    EXPECT_FALSE(table.source.deleteRows(4, 1));
    EXPECT_TRUE(table.source.deleteColumns(1, 99));
    EXPECT_EQ(table.source.columnCount(), 1);
    EXPECT_TRUE(table.source.appendRows(2));
    EXPECT_EQ(table.source.rowCount(), 6);
    grid::DataSrc unbound;
    EXPECT_FALSE(unbound.appendRows(1));
}

TEST(DataSourceStructureTest, AppendedRowsCopyNoLines) {
    TableFixture table(2, 2);
    table.source.drawLines({0, 0, 2, 2}, 15);
    ASSERT_TRUE(table.source.appendRows(1));
    EXPECT_EQ(table.flags(2, 0), 1u);
    ASSERT_TRUE(table.source.insertColumns(0, 1));
    EXPECT_TRUE(table.flags(0, 0) & kLeftLine) << "the edge line moves to the new first column";
    EXPECT_FALSE(table.flags(0, 1) & kLeftLine);
    EXPECT_FALSE(table.flags(2, 0) & kLeftLine) << "no line to move in the appended row";
}

}  // namespace
