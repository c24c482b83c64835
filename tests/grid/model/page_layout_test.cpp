#include "grid/model/page_layout.h"

#include <gtest/gtest.h>

#include "grid/model/cell_flags.h"
#include "grid/model/text_measurer.h"
#include "grid/provider/n_provider.h"

namespace {

using grid::PageEntry;
using grid::PageSettings;
using Pages = std::vector<PageEntry>;

// A table of rows x 2 columns, each row 100 (10 mm) high and each column 500 wide.
class PageLayoutTest : public ::testing::Test {
protected:
    void makeTable(int32_t rows, int32_t titleRows = 0) {
        provider.setSize(rows, 2);
        provider.setRowHeights(0, rows, 100);
        provider.setColumnWidths(0, 2, 500);
        provider.setFixedRows(titleRows);
    }
    // Joins rows first..last by a merged cell in column 0.
    void joinRows(int32_t first, int32_t last) {
        for (int32_t row = first; row < last; ++row) {
            grid::Cell cell;
            provider.getCell(cell, row, 0, false);
            provider.setFlags(row, 0, cell.flags() | grid::CellFlags::kJoinedBelow);
        }
    }
    Pages layOut(int32_t availableHeight, int32_t availableWidth = 2000) {
        return grid::layOutPages(provider, settings, availableWidth, availableHeight);
    }

    grid::FixedTextMeasurer measurer{grid::kHeadlessLetterExtent};
    grid::NProvider provider{measurer};
    PageSettings settings;
};

TEST_F(PageLayoutTest, PagesFillUpToTheBodyHeightLessTheTitleRows) {
    makeTable(9, 1);
    // 450 high: one title row of 100 leaves 350, three body rows of 100.
    EXPECT_EQ(layOut(450), (Pages{{1, 1, 3}, {2, 4, 6}, {3, 7, 8}}));
    // At 50 % the same area holds twice the table's length: 900 - 100 for the title.
    settings.scale = 50;
    EXPECT_EQ(layOut(450), (Pages{{1, 1, 8}}));
}

TEST_F(PageLayoutTest, MergedRowsStayTogetherAndATallGroupGetsAPageOfItsOwn) {
    makeTable(8);
    joinRows(2, 3);
    // Rows 2 and 3 would straddle the first page of 300: both go to the next one.
    EXPECT_EQ(layOut(300), (Pages{{1, 0, 1}, {2, 2, 4}, {3, 5, 7}}));
    joinRows(0, 5);
    // Rows 0 to 5 are one group of 600, taller than any page: it is a page, and the
    // layout moves on.
    EXPECT_EQ(layOut(300), (Pages{{1, 0, 5}, {2, 6, 7}}));
    // A page too low for any row still advances row by row.
    EXPECT_EQ(layOut(0).size(), 3u);
}

TEST_F(PageLayoutTest, RowsPerPageCountsBodyRowsOnly) {
    makeTable(12, 2);
    settings.rowsPerPage = 3;
    EXPECT_EQ(layOut(100), (Pages{{1, 2, 4}, {2, 5, 7}, {3, 8, 10}, {4, 11, 11}}));
}

TEST_F(PageLayoutTest, ARowRangeStartsNoHigherThanTheFirstBodyRow) {
    makeTable(10, 2);
    settings.printRange = 2;
    settings.startPage = 1;
    settings.endPage = 6;
    EXPECT_EQ(layOut(1000), (Pages{{1, 2, 5}}));
    settings.startPage = 5;
    settings.endPage = 0;
    EXPECT_EQ(layOut(500), (Pages{{1, 4, 6}, {2, 7, 9}}));
}

TEST_F(PageLayoutTest, PageRangesAndOddPagesKeepTheirNumbers) {
    makeTable(7);
    settings.firstPageNumber = 10;
    settings.printRange = 1;
    settings.startPage = 2;
    settings.endPage = 5;
    settings.oddEvenMode = 1;
    // Pages of one row: pages 2 to 5 of the range, the first and third of them.
    EXPECT_EQ(layOut(100), (Pages{{11, 1, 1}, {13, 3, 3}}));
    settings.oddEvenMode = 2;
    EXPECT_EQ(layOut(100), (Pages{{12, 2, 2}, {14, 4, 4}}));
    settings.oddEvenMode = 0;
    settings.endPage = 99;
    EXPECT_EQ(layOut(100).back(), (PageEntry{16, 6, 6}));
}

TEST(PrintScale, FitModesFollowTheTableWidth) {
    PageSettings settings;
    settings.scale = -2;
    EXPECT_EQ(grid::printScale(settings, 2000, 1500), 100);
    EXPECT_EQ(grid::printScale(settings, 2000, 4000), 50);
    settings.scale = -1;
    EXPECT_EQ(grid::printScale(settings, 2000, 1000), 200);
    // No columns or no room: no division by nothing, and still a scale.
    EXPECT_EQ(grid::printScale(settings, 2000, 0), 100);
    EXPECT_EQ(grid::printScale(settings, 0, 1000), 1);
    settings.scale = 5;
    EXPECT_EQ(grid::printScale(settings, 2000, 1000), 20);
}

}  // namespace
