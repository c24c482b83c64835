// Binding, notices, merging and lines of the data source.
#include "grid/model/data_source.h"

#include <gtest/gtest.h>

#include "tests/grid/support/table_fixture.h"

namespace {

using namespace grid::CellFlags;
using Kind = grid::ModelNotice::Kind;

uint32_t links(const TableFixture& table, int row, int column) { return table.flags(row, column) & kMergeMask; }

TEST(DataSourceTest, MergingOverPartOfABlockDissolvesItAndLinksExactlyTheRange) {
    TableFixture table(5, 5);
    table.source.mergeCells({0, 0, 3, 3});
    table.recorder.notices.clear();
    table.source.mergeCells({2, 2, 2, 2});
    ASSERT_EQ(table.recorder.kinds(), (std::vector{Kind::BeforeChange, Kind::Merged}));
    EXPECT_EQ(table.recorder.notices[1], (grid::ModelNotice{.kind = Kind::Merged, .row = 0, .column = 0,
                                                            .rowCount = 4, .columnCount = 4}));
    EXPECT_EQ(links(table, 0, 0), 0u);
    EXPECT_EQ(links(table, 1, 1), 0u);
    EXPECT_EQ(links(table, 2, 2), kJoinedRight | kJoinedBelow);
    EXPECT_EQ(links(table, 3, 3), kJoinedLeft | kJoinedAbove);
}

TEST(DataSourceTest, SplittingAnyCellOfABlockDissolvesTheWholeBlock) {
    TableFixture table(4, 4);
    table.source.mergeCells({1, 1, 3, 2});
    table.source.splitCells(3, 2);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) EXPECT_EQ(links(table, row, column), 0u) << row << column;
    }
    EXPECT_EQ(table.recorder.notices.back(), (grid::ModelNotice{.kind = Kind::Merged, .row = 1, .column = 1,
                                                                .rowCount = 3, .columnCount = 2}));
}

TEST(DataSourceTest, LinesLiveOnBothNeighbours) {
    struct Case {
        uint32_t lines;
        std::vector<std::tuple<int, int, uint32_t>> expected;  // cells whose line bits are set
    };
    // The range is rows 1..2, columns 1..2 of a 4 x 4 table.
    const Case cases[] = {
        {1, {{1, 1, kLeftLine}, {2, 1, kLeftLine}, {1, 0, kRightLine}, {2, 0, kRightLine}}},
        {4, {{1, 2, kRightLine}, {2, 2, kRightLine}, {1, 3, kLeftLine}, {2, 3, kLeftLine}}},
        {2, {{1, 1, kTopLine}, {1, 2, kTopLine}, {0, 1, kBottomLine}, {0, 2, kBottomLine}}},
        {8, {{2, 1, kBottomLine}, {2, 2, kBottomLine}, {3, 1, kTopLine}, {3, 2, kTopLine}}},
        {16, {{1, 1, kBottomLine}, {1, 2, kBottomLine}, {2, 1, kTopLine}, {2, 2, kTopLine}}},
        {32, {{1, 1, kRightLine}, {2, 1, kRightLine}, {1, 2, kLeftLine}, {2, 2, kLeftLine}}},
        {64 | 256, {{1, 1, kSingleDiagonal | kCrossLines}}},
    };
    for (const Case& c : cases) {
        TableFixture table(4, 4);
        table.source.drawLines({1, 1, 2, 2}, c.lines);
        uint32_t expected[4][4] = {};
        for (auto [row, column, bits] : c.expected) expected[row][column] |= bits;
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 4; ++column) {
                EXPECT_EQ(table.flags(row, column) & ~kAlignmentMask, expected[row][column])
                    << "lines " << c.lines << " at " << row << "," << column;
            }
        }
        table.source.eraseLines({1, 1, 2, 2}, c.lines);
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 4; ++column) EXPECT_EQ(table.flags(row, column), 1u);
        }
    }
}

TEST(DataSourceTest, LinesAtTheTableEdgeTouchNoNeighbour) {
    TableFixture table(2, 2);
    table.source.drawLines({0, 0, 9, 9}, 15);
    EXPECT_EQ(table.flags(0, 0) & kEdgeLines, kLeftLine | kTopLine);
    EXPECT_EQ(table.flags(1, 1) & kEdgeLines, kRightLine | kBottomLine);
    EXPECT_EQ(table.recorder.notices.back(),
              (grid::ModelNotice{.kind = Kind::Lines, .rowCount = 2, .columnCount = 2}));
}

TEST(DataSourceTest, ARangeCommandSendsOneNoticeEvenForZeroCounts) {
    TableFixture table(3, 3);
    table.source.setTextColor({1, 1, 0, 5}, 0xFF);
    ASSERT_EQ(table.recorder.kinds(), (std::vector{Kind::BeforeChange, Kind::Cells}));
    EXPECT_EQ(table.recorder.notices[1],
              (grid::ModelNotice{.kind = Kind::Cells, .row = 1, .column = 1, .rowCount = 0, .columnCount = 2}));
    table.recorder.notices.clear();
    table.source.setTextColor({3, 0, 1, 1}, 0xFF);
    EXPECT_TRUE(table.recorder.notices.empty()) << "a start outside the table does nothing";
}

TEST(DataSourceTest, AReadOnlySourceChangesTheTableButSendsNoBeforeChange) {
    TableFixture table(2, 2);
    table.source.setReadOnly(true);
    ASSERT_EQ(table.recorder.notices.size(), 1u);
    EXPECT_EQ(table.recorder.notices[0],
              (grid::ModelNotice{.kind = Kind::StatusFlags, .newFlags = 1, .oldFlags = 0}));
    table.source.setCellText(0, 0, "x");
    EXPECT_EQ(table.text(0, 0), "x");
    EXPECT_EQ(table.recorder.kinds(), (std::vector{Kind::StatusFlags, Kind::Cells}));
    table.source.setReadOnly(true);
    EXPECT_EQ(table.recorder.notices.size(), 2u) << "unchanged flags send nothing";
}

TEST(DataSourceTest, ClearingKeepsFormatsAndLeavesEveryKindEmpty) {
    TableFixture table(1, 3);
    table.source.setInputType({0, 0, 1, 1}, grid::InputType::Logical);
    table.source.setCellText(0, 0, "true");
    table.source.setKind({0, 1, 1, 1}, grid::CellKind::Picture);
    const uint8_t bytes[] = {1, 2};
    table.source.setCellData(0, 1, bytes);
    table.source.setCellText(0, 2, "abc");
    table.source.setTextColor({0, 0, 1, 3}, 0x123456);
    table.source.clearCells({0, 0, 1, 3});
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(table.provider.table().cell(0, column).contentLength(), 0u) << column;
        EXPECT_EQ(table.provider.table().cell(0, column).textColor(), 0x123456u);
    }
    EXPECT_EQ(grid::inputTypeOf(table.flags(0, 0)), grid::InputType::Logical);
}

TEST(DataSourceTest, BindingAProviderByNameResetsTheCurrentRow) {
    TableFixture table(5, 1);
    grid::FixedTextMeasurer measurer({20, 40});
    grid::NProvider other(measurer);
    table.source.setProviderResolver([&](std::string_view name) -> grid::DataProvider* {
        return name == "通用提供者1" ? &other : nullptr;
    });
    table.source.setCurrentRow(4);
    table.recorder.notices.clear();
    table.source.setProviderName("通用提供者1");
    EXPECT_EQ(table.source.provider(), &other);
    EXPECT_EQ(other.dataSource(), &table.source);
    EXPECT_EQ(table.provider.dataSource(), nullptr);
    EXPECT_EQ(table.source.currentRow(), 0);
    EXPECT_EQ(table.recorder.kinds(), (std::vector{Kind::BeforeChange, Kind::ProviderChanged}));
    table.source.setProviderName("外部数据提供者1");
    EXPECT_EQ(table.source.provider(), nullptr);
    EXPECT_EQ(table.source.rowCount(), 0) << "without a provider the table is empty";
    table.source.setCellText(0, 0, "x");
}

TEST(DataSourceTest, ResizingTheProviderThroughItsPropertyResetsTheViews) {
    TableFixture table(3, 3);
    table.source.setCellText(0, 0, "x");
    table.recorder.notices.clear();
    table.provider.setColumnCountProperty(3);
    EXPECT_EQ(table.text(0, 0), "") << "the same count still discards every cell";
    EXPECT_EQ(table.recorder.kinds(), (std::vector{Kind::Reset}));
    table.provider.setRowCountProperty(-4);
    EXPECT_EQ(table.source.rowCount(), 0);
}

TEST(DataSourceTest, ColumnsAreFoundByNumberOrTitle) {
    TableFixture table(1, 12);
    const std::pair<const char*, int> cases[] = {{"1", 0}, {"12", 11}, {"13", -1}, {"0", -1},
                                                 {"3abc", 2}, {"名称", -1}, {"", -1}};
    for (auto [name, column] : cases) EXPECT_EQ(table.source.columnByName(name), column) << name;
}

TEST(DataSourceTest, TheCurrentRowIsClampedAndUnchangedRowsSendNothing) {
    TableFixture table(3, 1);
    table.source.setCurrentRow(7);
    EXPECT_EQ(table.source.currentRow(), 2);
    table.source.setCurrentRow(2);
    table.source.setCurrentRow(-1);
    EXPECT_EQ(table.recorder.kinds(), (std::vector{Kind::CurrentRow, Kind::CurrentRow}));
    EXPECT_EQ(table.source.currentRow(), 0);
}

}  // namespace

namespace {

using Kind = grid::ModelNotice::Kind;

TEST(DataSourceBatchTest, CellWritesInABatchReachTheViewsAsOneNotice) {
    TableFixture table(10, 5);
    table.recorder.notices.clear();
    table.source.beginBatch();
    table.source.setCellText(2, 1, "a");
    table.source.beginBatch();
    table.source.setCellText(7, 3, "b");
    table.source.endBatch();
    table.source.setCellText(4, 0, "c");
    EXPECT_EQ(table.recorder.kinds(), std::vector<Kind>{Kind::BeforeChange}) << "nothing more until the batch ends";
    table.source.endBatch();
    ASSERT_EQ(table.recorder.notices.size(), 2u);
    EXPECT_EQ(table.recorder.notices[1], (grid::ModelNotice{.kind = Kind::Cells, .row = 2, .column = 0, .rowCount = 6,
                                                            .columnCount = 4}));
    table.source.endBatch();
    table.source.setCellText(0, 0, "after");
    EXPECT_EQ(table.recorder.notices.size(), 4u) << "an extra end leaves later writes alone";
}

TEST(DataSourceBatchTest, OtherNoticesInABatchComeAfterTheGatheredCells) {
    TableFixture table(10, 5);
    table.recorder.notices.clear();
    table.source.beginBatch();
    table.source.setCellText(1, 1, "a");
    table.source.insertRows(0, 1);
    table.source.endBatch();
    std::vector<Kind> kinds = table.recorder.kinds();
    ASSERT_GE(kinds.size(), 3u);
    EXPECT_EQ(std::vector<Kind>(kinds.begin(), kinds.begin() + 3),
              (std::vector<Kind>{Kind::BeforeChange, Kind::Cells, Kind::RowsInserted}));
}

}  // namespace
