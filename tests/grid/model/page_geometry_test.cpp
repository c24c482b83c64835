#include "grid/model/page_geometry.h"

#include <gtest/gtest.h>

namespace {

using grid::PagePoint;
using grid::PageRect;

TEST(PageGeometry, MarginsCountFromThePrintableAreasEdges) {
    grid::PaperMetrics paper{.paperWidth = 2100, .paperHeight = 2970, .offsetLeft = 50, .offsetTop = 40,
                             .offsetRight = 50, .offsetBottom = 60};
    grid::PageSettings settings;
    settings.marginLeft = 100;
    settings.marginTop = 200;
    settings.marginRight = 150;
    settings.marginBottom = 250;
    PageRect rect = grid::printRectangle(paper, settings);
    EXPECT_EQ(rect, (PageRect{100, 200, 1850, 2620}));
    EXPECT_EQ(rect.width(), 2000 - 100 - 150);
    // Without a printer: A4 to its edges.
    EXPECT_EQ(grid::printRectangle({}, settings), (PageRect{100, 200, 1950, 2720}));
}

TEST(PageGeometry, PageNumbersSitFourMillimetresOutsideTheTable) {
    PageRect rect{100, 200, 1100, 2200};
    // A number 200 wide and 40 high.
    EXPECT_EQ(grid::pageNumberOrigin(rect, 1, 200, 40), (PagePoint{100, 120}));
    EXPECT_EQ(grid::pageNumberOrigin(rect, 2, 200, 40), (PagePoint{500, 120}));
    EXPECT_EQ(grid::pageNumberOrigin(rect, 3, 200, 40), (PagePoint{900, 120}));
    EXPECT_EQ(grid::pageNumberOrigin(rect, 4, 200, 40), (PagePoint{100, 2240}));
    EXPECT_EQ(grid::pageNumberOrigin(rect, 5, 200, 40), (PagePoint{500, 2240}));
    EXPECT_EQ(grid::pageNumberOrigin(rect, 6, 200, 40), (PagePoint{900, 2240}));
}

TEST(MarginText, ShowsMillimetresAndReadsThemBackTruncated) {
    EXPECT_EQ(grid::marginText(230), "23");
    EXPECT_EQ(grid::marginText(123), "12.3");
    EXPECT_EQ(grid::marginText(0), "0");
    EXPECT_EQ(grid::marginText(-5), "-0.5");
    EXPECT_EQ(grid::marginText(-20), "-2");
    EXPECT_EQ(grid::marginFromText("12.35"), 123);
    EXPECT_EQ(grid::marginFromText("23"), 230);
    EXPECT_EQ(grid::marginFromText("-4"), 0);
    EXPECT_EQ(grid::marginFromText("abc"), 0);
    // Full-width digits read as the digits they look like.
    EXPECT_EQ(grid::marginFromText("１５"), 150);
}

}  // namespace
