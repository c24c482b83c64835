// Undo states: kept tables that the data source puts back exactly, with notices that
// repaint no more than changed.
#include <gtest/gtest.h>

#include <functional>

#include "tests/grid/support/table_fixture.h"

namespace {

using grid::ModelNotice;
using Kind = grid::ModelNotice::Kind;

TEST(DataSourceStatesTest, RestoringPutsBackCellsSizesAndStructureExactly) {
    TableFixture table(4, 3);
    table.source.setCellText(1, 1, "before");
    table.source.mergeCells({2, 0, 1, 2});
    table.provider.setFixedRows(1);
    int32_t kept = table.source.captureState();
    ASSERT_NE(kept, 0);

    table.source.insertRows(0, 2);
    table.source.deleteColumns(2, 1);
    table.source.setCellText(3, 1, "after");
    table.source.splitCells(4, 0);
    table.source.setRowHeight(0, 6, 120);
    table.source.setColumnWidth(0, 1, 500);
    table.provider.setFixedColumns(1);

    ASSERT_TRUE(table.source.restoreState(kept));
    EXPECT_EQ(table.source.rowCount(), 4);
    EXPECT_EQ(table.source.columnCount(), 3);
    EXPECT_EQ(table.text(1, 1), "before") << "no row inserted after the state is left behind";
    EXPECT_EQ(table.text(3, 1), "");
    EXPECT_EQ(table.flags(2, 0) & grid::CellFlags::kMergeMask, grid::CellFlags::kJoinedRight);
    EXPECT_EQ(table.source.rowHeight(0), 58);
    EXPECT_EQ(table.source.columnWidth(0), 312);
    EXPECT_EQ(table.provider.fixedRows(), 1);
    EXPECT_EQ(table.provider.fixedColumns(), 0);
}

// Writes that leave every value as it was still give rows storage of their own: the
// comparison looks at what the cells hold, not where.
TEST(DataSourceStatesTest, ATableMatchesAStateWhenItHoldsTheSameWhateverWasWritten) {
    TableFixture table(300, 3);
    table.source.setCellText(1, 1, "kept");
    table.source.setRowHeight(0, 1, 80);
    const int32_t kept = table.source.captureState();
    table.source.setCellText(1, 1, "kept");
    table.source.clearCells({250, 0, 10, 3});
    table.source.setRowHeight(0, 1, 80);
    table.source.splitCells(2, 2);
    EXPECT_TRUE(table.source.matchesState(kept));

    const std::function<void()> changes[] = {
        [&] { table.source.setCellText(299, 2, "new"); },
        [&] { table.source.setRowHeight(5, 1, 81); },
        [&] { table.source.setColumnWidth(2, 1, 999); },
        [&] { table.source.mergeCells({3, 0, 1, 2}); },
        [&] { table.source.setTextColor({7, 1, 1, 1}, 0x123456); },
        [&] { table.source.appendRows(1); },
    };
    for (const auto& change : changes) {
        change();
        EXPECT_FALSE(table.source.matchesState(kept));
        ASSERT_TRUE(table.source.restoreState(kept));
        EXPECT_TRUE(table.source.matchesState(kept));
    }
    EXPECT_FALSE(table.source.matchesState(kept + 1000)) << "an unknown state";
}

TEST(DataSourceStatesTest, AStateCanBeRestoredAgainAndStatesAreIndependent) {
    TableFixture table(3, 3);
    int32_t empty = table.source.captureState();
    table.source.setCellText(0, 0, "one");
    int32_t one = table.source.captureState();
    table.source.setCellText(0, 0, "two");
    int32_t two = table.source.captureState();
    EXPECT_NE(one, empty);
    EXPECT_NE(two, one);

    ASSERT_TRUE(table.source.restoreState(empty));
    table.source.setCellText(2, 2, "typed after undo");
    ASSERT_TRUE(table.source.restoreState(one));
    EXPECT_EQ(table.text(0, 0), "one");
    EXPECT_EQ(table.text(2, 2), "") << "a restored state does not pick up later writes";
    ASSERT_TRUE(table.source.restoreState(two));
    EXPECT_EQ(table.text(0, 0), "two");
    ASSERT_TRUE(table.source.restoreState(one));
    EXPECT_EQ(table.text(0, 0), "one");
}

TEST(DataSourceStatesTest, ReleasedAndUnknownStatesAreRefusedAndChangeNothing) {
    TableFixture table(2, 2);
    int32_t kept = table.source.captureState();
    table.source.setCellText(0, 0, "stays");
    table.source.releaseState(kept);
    table.recorder.notices.clear();
    EXPECT_FALSE(table.source.restoreState(kept));
    EXPECT_FALSE(table.source.restoreState(0));
    EXPECT_FALSE(table.source.restoreState(-5));
    EXPECT_EQ(table.text(0, 0), "stays");
    EXPECT_TRUE(table.recorder.notices.empty());

    grid::DataSrc unbound;
    EXPECT_EQ(unbound.captureState(), 0) << "without a provider there is nothing to keep";
}

TEST(DataSourceStatesTest, NumbersAreNeverSharedBetweenDataSources) {
    TableFixture first(2, 2);
    TableFixture second(2, 2);
    int32_t a = first.source.captureState();
    int32_t b = second.source.captureState();
    EXPECT_NE(a, b);
    EXPECT_FALSE(second.source.restoreState(a));
}

TEST(DataSourceStatesTest, PageSettingsAreNotPartOfAState) {
    TableFixture table(2, 2);
    int32_t kept = table.source.captureState();
    grid::PageSettings settings = table.provider.pageSettings();
    settings.marginLeft = 321;
    table.provider.setPageSettings(settings);
    ASSERT_TRUE(table.source.restoreState(kept));
    EXPECT_EQ(table.provider.pageSettings().marginLeft, 321);
}

struct NoticeCase {
    const char* name;
    void (*change)(TableFixture&);
    std::vector<ModelNotice> expected;
};

TEST(DataSourceStatesTest, NoticesCoverWhatChangedAndNoMore) {
    const NoticeCase cases[] = {
        {"one cell", [](TableFixture& t) { t.source.setCellText(700, 1, "x"); },
         {{.kind = Kind::BeforeChange}, {.kind = Kind::Cells, .row = 700, .rowCount = 1, .columnCount = 3}}},
        {"cells in two rows apart", [](TableFixture& t) {
             t.source.setCellText(5, 0, "a");
             t.source.setCellText(9, 2, "b");
         },
         {{.kind = Kind::BeforeChange}, {.kind = Kind::Cells, .row = 5, .rowCount = 5, .columnCount = 3}}},
        {"nothing", [](TableFixture&) {}, {{.kind = Kind::BeforeChange}}},
        {"a row height", [](TableFixture& t) { t.source.setRowHeight(3, 1, 90); },
         {{.kind = Kind::BeforeChange}, {.kind = Kind::Reset}}},
        {"an inserted row", [](TableFixture& t) { t.source.insertRows(999, 1); },
         {{.kind = Kind::BeforeChange}, {.kind = Kind::Reset}}},
    };
    for (const NoticeCase& c : cases) {
        TableFixture table(1000, 3);
        int32_t kept = table.source.captureState();
        c.change(table);
        table.recorder.notices.clear();
        ASSERT_TRUE(table.source.restoreState(kept)) << c.name;
        EXPECT_EQ(table.recorder.notices, c.expected) << c.name;
    }
}

TEST(DataSourceStatesTest, RestoringKeepsTheCurrentRowWhereItStillExists) {
    TableFixture table(20, 2);
    int32_t twenty = table.source.captureState();
    table.source.deleteRows(0, 15);
    int32_t five = table.source.captureState();
    table.source.setCurrentRow(3);
    ASSERT_TRUE(table.source.restoreState(twenty));
    EXPECT_EQ(table.source.currentRow(), 3) << "Undo does not move the person away from where they work";
    table.source.setCurrentRow(15);
    ASSERT_TRUE(table.source.restoreState(five));
    EXPECT_EQ(table.source.currentRow(), 4) << "a row that is gone gives way to the last one";
}

}  // namespace
