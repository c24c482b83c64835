// Sorting rows: how numbers, dates, texts and empty cells order, stability, the title
// row, whole rows moving with their formats, and the sorts that are refused.
#include "grid/model/row_sort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/model/table.h"
#include "tests/grid/support/table_fixture.h"

namespace {

using grid::RowSort;
using grid::SortOutcome;
using Texts = std::vector<std::string>;

void fillColumn(TableFixture& table, int column, const Texts& texts) {
    for (size_t row = 0; row < texts.size(); ++row) table.source.setCellText(int(row), column, texts[row]);
}

Texts columnTexts(const TableFixture& table, int column) {
    Texts texts;
    for (int row = 0; row < table.source.rowCount(); ++row) texts.push_back(table.text(row, column));
    return texts;
}

RowSort byColumn(int rows, int column, bool descending = false) {
    return {.firstRow = 0, .lastRow = rows - 1, .keys = {{column, descending}}, .hasHeaderRow = false};
}

TEST(RowSortTest, NumbersDatesTextsAndEmptyCellsTakeTheirOrderInBothDirections) {
    struct Case {
        const char* what;
        grid::InputType type;
        Texts texts;
        Texts ascending;
        Texts descending;
    };
    const Case cases[] = {
        {"numbers typed into normal cells", grid::InputType::Normal, {"10", "9", " 100", "-1", "2.5", "+3"},
         {"-1", "2.5", "+3", "9", "10", " 100"}, {" 100", "10", "9", "+3", "2.5", "-1"}},
        {"full-width digits are a number", grid::InputType::Normal, {"１２", "3"}, {"3", "１２"}, {"１２", "3"}},
        {"integer cells", grid::InputType::Integer, {"20", "3", "-7"}, {"-7", "3", "20"}, {"20", "3", "-7"}},
        {"date-time cells", grid::InputType::DateTime, {"2012-2-3", "2011-12-31 23:59", "2012-2-3 1:00"},
         {"2011年12月31日23时59分", "2012年2月3日", "2012年2月3日1时"},
         {"2012年2月3日1时", "2012年2月3日", "2011年12月31日23时59分"}},
        {"dates typed into normal cells", grid::InputType::Normal, {"2012年2月3日", "2009年10月1日"},
         {"2009年10月1日", "2012年2月3日"}, {"2012年2月3日", "2009年10月1日"}},
        {"texts by their GBK bytes: pinyin order", grid::InputType::Normal, {"张三", "阿姨", "王五", "李四", "Zoo", "abc"},
         {"Zoo", "abc", "阿姨", "李四", "王五", "张三"}, {"张三", "王五", "李四", "阿姨", "abc", "Zoo"}},
        {"numbers, then dates, then texts", grid::InputType::Normal, {"abc", "2012年1月1日", "5", "1-2"},
         {"5", "2012年1月1日", "1-2", "abc"}, {"abc", "1-2", "2012年1月1日", "5"}},
        {"empty cells last either way", grid::InputType::Normal, {"", "b", "", "a", "1"},
         {"1", "a", "b", "", ""}, {"b", "a", "1", "", ""}},
    };
    for (const Case& test : cases) {
        const int rows = int(test.texts.size());
        for (bool descending : {false, true}) {
            TableFixture table(rows, 1);
            table.source.setInputType({0, 0, rows, 1}, test.type);
            fillColumn(table, 0, test.texts);
            ASSERT_EQ(grid::sortRows(table.source, byColumn(rows, 0, descending)), SortOutcome::Sorted) << test.what;
            EXPECT_EQ(columnTexts(table, 0), descending ? test.descending : test.ascending)
                << test.what << (descending ? ", descending" : ", ascending");
        }
    }
}

TEST(RowSortTest, FurtherKeysDecideTiesAndEqualRowsKeepTheirOrder) {
    TableFixture table(6, 3);
    fillColumn(table, 0, {"b", "a", "b", "a", "b", "a"});
    fillColumn(table, 1, {"1", "2", "2", "1", "1", "2"});
    fillColumn(table, 2, {"r1", "r2", "r3", "r4", "r5", "r6"});
    RowSort sort{.firstRow = 0, .lastRow = 5, .keys = {{0, false}, {1, true}}, .hasHeaderRow = false};
    ASSERT_EQ(grid::sortRows(table.source, sort), SortOutcome::Sorted);
    EXPECT_EQ(columnTexts(table, 2), (Texts{"r2", "r6", "r4", "r3", "r1", "r5"}));
}

TEST(RowSortTest, TheTitleRowAndRowsOutsideTheRangeStayWhereTheyAre) {
    TableFixture table(6, 1);
    fillColumn(table, 0, {"top", "名称", "c", "a", "b", "bottom"});
    RowSort sort{.firstRow = 1, .lastRow = 4, .keys = {{0, false}}, .hasHeaderRow = true};
    ASSERT_EQ(grid::sortRows(table.source, sort), SortOutcome::Sorted);
    EXPECT_EQ(columnTexts(table, 0), (Texts{"top", "名称", "a", "b", "c", "bottom"}));
    sort.lastRow = 99;
    ASSERT_EQ(grid::sortRows(table.source, sort), SortOutcome::Sorted) << "a last row past the end means the last";
    EXPECT_EQ(columnTexts(table, 0), (Texts{"top", "名称", "a", "b", "bottom", "c"}));
}

TEST(RowSortTest, WholeRowsMoveWithTheirFormatsHeightsAndStorage) {
    TableFixture table(3, 2);
    fillColumn(table, 0, {"c", "a", "b"});
    table.source.setBackColor({1, 0, 1, 2}, 0x00FF00);
    table.source.setRowHeight(1, 1, 123);
    table.source.mergeCells({1, 0, 1, 2});
    const grid::Cell* rowOfA = table.provider.table().rowCells(1).data();

    ASSERT_EQ(grid::sortRows(table.source, byColumn(3, 0)), SortOutcome::Sorted);
    EXPECT_EQ(columnTexts(table, 0), (Texts{"a", "b", "c"}));
    EXPECT_EQ(table.provider.table().rowCells(0).data(), rowOfA) << "the row moved, its cells were not copied";
    EXPECT_EQ(table.source.rowHeight(0), 123);
    EXPECT_EQ(table.provider.table().cell(0, 1).backColor(), 0x00FF00u);
    EXPECT_EQ(table.flags(0, 0) & grid::CellFlags::kMergeMask, grid::CellFlags::kJoinedRight)
        << "a block within one row moves whole";
}

TEST(RowSortTest, AKeyColumnInsideABlockAcrossColumnsSortsByTheBlocksText) {
    TableFixture table(2, 2);
    fillColumn(table, 0, {"b", "a"});
    fillColumn(table, 1, {"1", "2"});  // hidden behind the blocks below
    table.source.mergeCells({0, 0, 1, 2});
    table.source.mergeCells({1, 0, 1, 2});
    ASSERT_EQ(grid::sortRows(table.source, byColumn(2, 1)), SortOutcome::Sorted);
    EXPECT_EQ(columnTexts(table, 0), (Texts{"a", "b"}));
}

TEST(RowSortTest, RefusedSortsChangeNothing) {
    struct Case {
        const char* what;
        grid::CellRange merged;
        RowSort sort;
        SortOutcome outcome;
    };
    const Case cases[] = {
        {"a block across two of the rows", {2, 1, 2, 1}, byColumn(5, 0), SortOutcome::CutsMergedBlock},
        {"a block across the first row's edge", {0, 0, 2, 1}, {1, 4, {{0, false}}, false}, SortOutcome::CutsMergedBlock},
        {"a block across the last row's edge", {3, 1, 2, 2}, {0, 3, {{0, false}}, false}, SortOutcome::CutsMergedBlock},
        {"a first row past the end", {0, 0, 1, 1}, {5, 9, {{0, false}}, false}, SortOutcome::InvalidRange},
        {"the last row before the first", {0, 0, 1, 1}, {3, 2, {{0, false}}, false}, SortOutcome::InvalidRange},
        {"a key column past the end", {0, 0, 1, 1}, byColumn(5, 3), SortOutcome::InvalidRange},
        {"no key", {0, 0, 1, 1}, {0, 4, {}, false}, SortOutcome::InvalidRange},
    };
    for (const Case& test : cases) {
        TableFixture table(5, 3);
        fillColumn(table, 0, {"e", "d", "c", "b", "a"});
        table.source.mergeCells(test.merged);
        const int32_t before = table.source.captureState();
        EXPECT_EQ(grid::sortRows(table.source, test.sort), test.outcome) << test.what;
        EXPECT_TRUE(table.source.matchesState(before)) << test.what;
        EXPECT_FALSE(grid::sortRefusalText(test.outcome).empty());
    }
    // Sorting the rows above a block that lies wholly below them is fine.
    TableFixture table(5, 1);
    fillColumn(table, 0, {"b", "a", "x", "y", "z"});
    table.source.mergeCells({2, 0, 3, 1});
    EXPECT_EQ(grid::sortRows(table.source, byColumn(2, 0)), SortOutcome::Sorted);
    EXPECT_EQ(table.text(0, 0), "a");
}

// The in-memory provider as a database's provider is to a sort: it keeps no copies
// of its table.
class ProviderWithoutCopies : public grid::NProvider {
public:
    using NProvider::NProvider;
    std::shared_ptr<const grid::Table> captureTable() const override { return nullptr; }
};

TEST(RowSortTest, ATableFromADatabaseIsRefusedWithTheOrderByHint) {
    grid::FixedTextMeasurer measurer({20, 40});
    ProviderWithoutCopies provider(measurer);
    provider.setSize(2, 1);
    grid::DataSrc source;
    source.bindProvider(&provider);
    source.setCellText(0, 0, "b");
    source.setCellText(1, 0, "a");
    const SortOutcome outcome = grid::sortRows(source, byColumn(2, 0));
    EXPECT_EQ(outcome, SortOutcome::ProviderKeepsOrder);
    EXPECT_EQ(grid::sortRefusalText(outcome), "请在查询语句中使用 ORDER BY 排序。");
    EXPECT_EQ(provider.table().cell(0, 0).text(), "b");
}

TEST(RowSortTest, ASortIsOneChangeThatUndoPutsBack) {
    TableFixture table(300, 2);
    for (int row = 0; row < 300; ++row) table.source.setCellText(row, 0, std::to_string(300 - row));
    const int32_t before = table.source.captureState();
    table.recorder.notices.clear();
    ASSERT_EQ(grid::sortRows(table.source, byColumn(300, 0)), SortOutcome::Sorted);
    EXPECT_EQ(table.recorder.kinds(),
              (std::vector<grid::ModelNotice::Kind>{grid::ModelNotice::Kind::BeforeChange, grid::ModelNotice::Kind::Cells}));
    EXPECT_EQ(table.recorder.notices.back(), (grid::ModelNotice{.kind = grid::ModelNotice::Kind::Cells, .rowCount = 300, .columnCount = 2}));
    EXPECT_EQ(table.text(0, 0), "1");
    ASSERT_TRUE(table.source.restoreState(before));
    EXPECT_EQ(table.text(0, 0), "300");
    EXPECT_EQ(table.text(299, 0), "1");
}

TEST(RowSortTest, ReorderingRefusesWhatIsNotAnOrderOfTheRows) {
    grid::Table table(grid::DefaultSizes{100, 50});
    ASSERT_TRUE(table.setSize(3, 1));
    const int32_t duplicate[] = {0, 0, 1};
    const int32_t outside[] = {0, 3};
    const int32_t tooMany[] = {0, 1, 2, 3};
    EXPECT_FALSE(table.reorderRows(0, duplicate));
    EXPECT_FALSE(table.reorderRows(2, outside));
    EXPECT_FALSE(table.reorderRows(0, tooMany));
}

}  // namespace
