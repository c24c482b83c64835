// Positions of rows along one axis: header, fixed rows, the scrolled body.
#include "grid/view/axis_layout.h"

#include <gtest/gtest.h>

namespace {

using grid::AxisLayout;

// 100 rows of 10 pixels, 2 fixed, a 30-pixel header, a client area of 100 pixels.
AxisLayout tenPixelRows(int32_t scroll, bool header = true, int32_t fixed = 2) {
    return AxisLayout(100, fixed, scroll, 30, header, 100, [](int32_t) { return 10; });
}

TEST(AxisLayoutTest, ShowsFixedRowsThenTheBodyFromTheScrollPosition) {
    AxisLayout layout = tenPixelRows(5);
    std::vector<int32_t> indexes;
    for (const auto& span : layout.shown()) indexes.push_back(span.index);
    EXPECT_EQ(indexes, (std::vector<int32_t>{0, 1, 7, 8, 9, 10, 11}));
    EXPECT_EQ(layout.fixedEnd(), 50);
    EXPECT_EQ(layout.shown()[2].start, 50);
    EXPECT_EQ(layout.bodyBandStart(), 51);
    EXPECT_EQ(layout.fixedBandStart(), 31);
}

TEST(AxisLayoutTest, StartsOfRowsInAndOutOfView) {
    AxisLayout layout = tenPixelRows(5);
    struct Case {
        int32_t index;
        int start;
    } cases[] = {
        {0, 30}, {1, 40}, {7, 50}, {11, 90},
        {12, 100},                           // one past the last shown row
        {13, 100 + AxisLayout::kOutside},    // beyond the client area
        {6, 40}, {5, 30}, {2, 0},            // scrolled out above the body
        {99, 100 + AxisLayout::kOutside},
    };
    for (const Case& c : cases) EXPECT_EQ(layout.startOf(c.index), c.start) << c.index;
    EXPECT_EQ(tenPixelRows(90).startOf(2), -AxisLayout::kOutside);
}

TEST(AxisLayoutTest, EndsOfRowsInAndOutOfView) {
    AxisLayout layout = tenPixelRows(5);
    struct Case {
        int32_t index;
        int end;
    } cases[] = {
        {0, 40}, {11, 100},
        {1, 50},                           // the last fixed row ends where the body begins
        {6, 50}, {5, 40},                  // scrolled out above the body
        {12, 100 + AxisLayout::kOutside},  // beyond the client area
    };
    for (const Case& c : cases) EXPECT_EQ(layout.endOf(c.index), c.end) << c.index;
}

// Rows out of view lie where they would if the window reached them.
TEST(AxisLayoutTest, WholePositionsOfRowsOutOfView) {
    struct Case {
        const char* what;
        AxisLayout layout;
        int32_t index;
        int start;
        int end;
    };
    // 20 fixed rows of 10 pixels fill more than the 100-pixel client area.
    AxisLayout tallFixed(100, 20, 0, 30, true, 100, [](int32_t) { return 10; });
    const Case cases[] = {
        {"shown", tenPixelRows(5), 7, 50, 60},
        {"scrolled out just above the body", tenPixelRows(5), 6, 40, 50},
        {"scrolled out far above the body", tenPixelRows(90), 2, 50 - 900, 60 - 900},
        {"one past the last shown row", tenPixelRows(5), 12, 100, 110},
        {"far below the window", tenPixelRows(5), 99, 970, 980},
        {"a fixed row below the window", tallFixed, 19, 220, 230},
        {"the first body row after fixed rows below the window", tallFixed, 20, 230, 240},
        {"without a header", tenPixelRows(90, false, 0), 0, -900, -890},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.layout.wholeStartOf(c.index), c.start) << c.what;
        EXPECT_EQ(c.layout.wholeEndOf(c.index), c.end) << c.what;
    }
}

TEST(AxisLayoutTest, WholePositionsStopFarOutside) {
    int measured = 0;
    AxisLayout layout(2'000'000, 0, 1'000'000, 0, false, 100, [&](int32_t) {
        ++measured;
        return 10;
    });
    measured = 0;
    EXPECT_EQ(layout.wholeStartOf(1'999'999), 100 + AxisLayout::kFarOutside);
    EXPECT_EQ(layout.wholeStartOf(0), -AxisLayout::kFarOutside);
    EXPECT_EQ(layout.wholeEndOf(0), -AxisLayout::kFarOutside);
    // Each walk stops once it is that far out, not at the end of the table.
    EXPECT_LE(measured, 3 * (AxisLayout::kFarOutside / 10 + 2));
}

TEST(AxisLayoutTest, HitTesting) {
    AxisLayout layout = tenPixelRows(5);
    EXPECT_EQ(layout.indexAt(0), AxisLayout::kHeader);
    EXPECT_EQ(layout.indexAt(29), AxisLayout::kHeader);
    EXPECT_EQ(layout.indexAt(30), 0);
    EXPECT_EQ(layout.indexAt(49), 1);
    EXPECT_EQ(layout.indexAt(50), 7);
    EXPECT_EQ(layout.indexAt(500), 11);  // below the last row: the last row
    EXPECT_EQ(tenPixelRows(0, false).indexAt(0), 0);
}

TEST(AxisLayoutTest, WithoutHeaderOrFixedRowsTheBodyStartsAtZero) {
    AxisLayout layout = tenPixelRows(0, false, 0);
    EXPECT_EQ(layout.bodyBandStart(), 0);
    EXPECT_EQ(layout.startOf(0), 0);
}

TEST(AxisLayoutTest, ScrollingARowIntoView) {
    // The body holds five rows (50 pixels below the fixed area).
    struct Case {
        int32_t scroll;
        int32_t row;
        int32_t expected;
    } cases[] = {
        {0, 3, 0},    // already shown
        {0, 6, 0},    // last row shown completely
        {0, 7, 1},    // one further down
        {0, 50, 44},  // far down: it becomes the last shown row
        {10, 5, 3},   // above the body: it becomes the first
        {10, 1, 10},  // fixed rows never scroll
    };
    for (const Case& c : cases) EXPECT_EQ(tenPixelRows(c.scroll).scrollToShow(c.row), c.expected) << c.row;
}

TEST(AxisLayoutTest, MeasuresOnlyWhatIsShown) {
    int measured = 0;
    AxisLayout layout(1'000'000, 0, 500'000, 0, false, 100, [&](int32_t) {
        ++measured;
        return 10;
    });
    EXPECT_EQ(layout.shown().size(), 10u);
    EXPECT_LE(measured, 10);
}

}  // namespace
