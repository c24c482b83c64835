// The palette's pure parts: the keyboard walk, the marked entry, the layout and the
// placement on the screen.
#include <gtest/gtest.h>

#include "runtime/window/units/palette_entries.h"
#include "runtime/window/units/palette_layout.h"
#include "runtime/window/units/palette_navigation.h"

namespace {

using rt::PaletteKey;
constexpr int32_t T = rt::kTransparentEntry;
constexpr int32_t C = rt::kCustomEntry;

struct WalkCase {
    int32_t from;
    PaletteKey key;
    bool transparentShown;
    int32_t expected;
};

TEST(PaletteNavigationTest, EveryWrapRule) {
    using enum PaletteKey;
    const WalkCase cases[] = {
        // Left: back through the swatches, then the transparent entry and the custom one.
        {5, Left, true, 4}, {7, Left, true, 6}, {0, Left, true, T}, {0, Left, false, C},
        {T, Left, true, C}, {C, Left, true, 31}, {C, Left, false, 31},
        // Right: the same path forwards.
        {4, Right, true, 5}, {6, Right, true, 7}, {31, Right, true, C}, {31, Right, false, C},
        {C, Right, true, T}, {C, Right, false, 0}, {T, Right, true, 0},
        // Up: by rows; the first row leaves to the top entry.
        {10, Up, true, 3}, {7, Up, true, 0}, {3, Up, true, T}, {6, Up, false, C},
        {T, Up, true, C}, {C, Up, true, 31}, {C, Up, false, 31},
        // Down: the last row is short, so columns 4-6 of row 3 already leave the grid.
        {3, Down, true, 10}, {24, Down, true, 31}, {25, Down, true, C}, {31, Down, false, C},
        {C, Down, true, T}, {C, Down, false, 0}, {T, Down, true, 0},
        // Nothing to move from, or an entry that is not there: the first swatch.
        {rt::kNoEntry, Right, true, 0}, {T, Down, false, 0}, {32, Left, true, 0},
    };
    for (const WalkCase& c : cases) {
        EXPECT_EQ(rt::entryAfterKey(c.from, c.key, c.transparentShown), c.expected)
            << "from " << c.from << " key " << static_cast<int>(c.key) << " transparent " << c.transparentShown;
    }
}

TEST(PaletteEntriesTest, MarkedEntryForAColour) {
    struct Case {
        uint32_t color;
        bool transparentShown;
        int32_t expected;
    };
    const Case cases[] = {
        {rt::kTransparentColor, true, T}, {rt::kTransparentColor, false, C}, {0x000000, true, 0},
        {0x0000FF, true, 12},  // 0x00BBGGRR: red
        {0xFF0000, false, 9},  // blue
        {0x606060, true, 31},  {0x123456, true, C},  {0x01000000, true, C},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rt::markedEntryFor(c.color, c.transparentShown), c.expected) << std::hex << c.color;
    }
}

TEST(PaletteLayoutTest, EntriesStackWithTheTransparentEntryOnTop) {
    const rt::PaletteLayout layout(2, QSize(24, 16), QSize(66, 16), true);
    EXPECT_EQ(layout.swatchSize(), 18);
    EXPECT_EQ(layout.margin(), 2);
    // 7 x 18 + 2 x 2 wide; text entries 16 + 4 x 2 + 2 high; 5 rows of swatches between.
    EXPECT_EQ(layout.transparentRect(), QRect(0, 0, 130, 26));
    EXPECT_EQ(layout.swatchRect(0), QRect(2, 28, 18, 18));
    EXPECT_EQ(layout.swatchRect(9), QRect(2 + 2 * 18, 28 + 18, 18, 18));
    EXPECT_EQ(layout.swatchRect(31), QRect(2 + 3 * 18, 28 + 4 * 18, 18, 18));
    EXPECT_EQ(layout.customRect(), QRect(0, 26 + 94, 130, 26));
    EXPECT_EQ(layout.size(), QSize(130, 146));

    const rt::PaletteLayout plain(2, QSize(24, 16), QSize(66, 16), false);
    EXPECT_TRUE(plain.transparentRect().isEmpty());
    EXPECT_EQ(plain.swatchRect(0).topLeft(), QPoint(2, 2));
    EXPECT_EQ(plain.customRect().top(), 94);
}

TEST(PaletteLayoutTest, WideEdgesAndWideTexts) {
    EXPECT_EQ(rt::PaletteLayout(5, {}, {}, false).swatchSize(), 18);
    EXPECT_EQ(rt::PaletteLayout(6, {}, {}, false).swatchSize(), 19);
    // A text wider than the swatches widens the palette; the swatches stay centred.
    const rt::PaletteLayout wide(2, QSize(24, 16), QSize(200, 16), true);
    EXPECT_EQ(wide.size().width(), 204);
    EXPECT_EQ(wide.transparentRect().width(), 204);
    EXPECT_EQ(wide.swatchRect(0).left(), 37 + 2);
    const rt::PaletteLayout wideTop(2, QSize(180, 16), QSize(66, 16), true);
    EXPECT_EQ(wideTop.customRect().width(), 184);
    EXPECT_EQ(rt::PaletteLayout(2, QSize(180, 16), QSize(66, 16), false).size().width(), 130);
}

TEST(PaletteLayoutTest, EntryUnderAPoint) {
    const rt::PaletteLayout layout(2, QSize(24, 16), QSize(66, 16), true);
    const struct {
        QPoint point;
        int32_t expected;
    } cases[] = {
        {{0, 0}, T},          {{129, 25}, T},        {{2, 28}, 0},         {{19, 45}, 0},
        {{20, 28}, 1},        {{2 + 6 * 18, 28}, 6}, {{2, 46}, 7},         {{2 + 3 * 18 + 17, 28 + 4 * 18 + 17}, 31},
        {{2 + 4 * 18, 28 + 4 * 18}, rt::kNoEntry},  // the short last row's empty cells
        {{1, 30}, rt::kNoEntry},                    // the margin
        {{128, 30}, rt::kNoEntry},                  {{5, 120}, C},         {{129, 145}, C},
    };
    for (const auto& c : cases) EXPECT_EQ(layout.entryAt(c.point), c.expected) << c.point.x() << "," << c.point.y();
    for (int32_t entry = 0; entry < rt::kSwatchCount; ++entry) {
        EXPECT_EQ(layout.entryAt(layout.entryRect(entry).center()), entry);
    }
}

TEST(PaletteLayoutTest, PlacedWhollyOnTheScreen) {
    const QRect screen(0, 0, 800, 600);
    const QSize size(130, 146);
    const struct {
        QPoint wanted;
        QRect screen;
        QPoint expected;
    } cases[] = {
        {{100, 100}, screen, {100, 100}},
        {{700, 100}, screen, {670, 100}},
        {{100, 500}, screen, {100, 454}},
        {{790, 590}, screen, {670, 454}},
        {{-20, 100}, screen, {0, 100}},
        {{2900, 700}, QRect(1920, 0, 1024, 768), {2814, 622}},
    };
    for (const auto& c : cases) EXPECT_EQ(rt::placedOnScreen(QRect(c.wanted, size), c.screen), c.expected);
    // Wider than the screen: it starts at the screen's left edge.
    EXPECT_EQ(rt::placedOnScreen(QRect(QPoint(50, 0), QSize(900, 100)), screen), QPoint(0, 0));
}

}  // namespace
