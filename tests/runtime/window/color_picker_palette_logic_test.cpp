// The palette's pure parts: the keyboard walk, the marked entry, the layout and the
// placement on the screen.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

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
    const WalkCase cases[] = {
        // Left: back through the swatches, then the transparent entry and the custom one.
        {5, PaletteKey::Left, true, 4},
        {7, PaletteKey::Left, true, 6},
        {0, PaletteKey::Left, true, T},
        {0, PaletteKey::Left, false, C},
        {T, PaletteKey::Left, true, C},
        {C, PaletteKey::Left, true, 31},
        {C, PaletteKey::Left, false, 31},
        // Right: the same path forwards.
        {4, PaletteKey::Right, true, 5},
        {6, PaletteKey::Right, true, 7},
        {31, PaletteKey::Right, true, C},
        {31, PaletteKey::Right, false, C},
        {C, PaletteKey::Right, true, T},
        {C, PaletteKey::Right, false, 0},
        {T, PaletteKey::Right, true, 0},
        // Up: by rows; the first row leaves to the top entry.
        {10, PaletteKey::Up, true, 3},
        {7, PaletteKey::Up, true, 0},
        {3, PaletteKey::Up, true, T},
        {6, PaletteKey::Up, false, C},
        {T, PaletteKey::Up, true, C},
        {C, PaletteKey::Up, true, 31},
        {C, PaletteKey::Up, false, 31},
        // Down: the last row is short, so columns 4-6 of row 3 already leave the grid.
        {3, PaletteKey::Down, true, 10},
        {24, PaletteKey::Down, true, 31},
        {25, PaletteKey::Down, true, C},
        {31, PaletteKey::Down, false, C},
        {C, PaletteKey::Down, true, T},
        {C, PaletteKey::Down, false, 0},
        {T, PaletteKey::Down, true, 0},
        // Nothing to move from, or an entry that is not there: the first swatch.
        {rt::kNoEntry, PaletteKey::Right, true, 0},
        {T, PaletteKey::Down, false, 0},
        {32, PaletteKey::Left, true, 0},
    };
    for (const WalkCase& c : cases) {
        EXPECT_EQ(rt::entryAfterKey(c.from, c.key, c.transparentShown), c.expected)
            << "from " << c.from << " key " << static_cast<int>(c.key) << " transparent " << c.transparentShown;
    }
}

TEST(PaletteNavigationTest, LeftAndRightVisitEveryEntryOnceAndUndoEachOther) {
    for (bool transparentShown : {true, false}) {
        const int entries = rt::kSwatchCount + (transparentShown ? 2 : 1);
        std::set<int32_t> visited;
        int32_t entry = 0;
        for (int step = 0; step < entries; ++step) {
            visited.insert(entry);
            const int32_t next = rt::entryAfterKey(entry, PaletteKey::Right, transparentShown);
            EXPECT_EQ(rt::entryAfterKey(next, PaletteKey::Left, transparentShown), entry);
            entry = next;
        }
        EXPECT_EQ(entry, 0);
        EXPECT_EQ(static_cast<int>(visited.size()), entries);
        EXPECT_EQ(visited.count(T), transparentShown ? 1u : 0u);
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

TEST(PaletteEntriesTest, ThirtyTwoDistinctColoursWithNames) {
    std::set<uint32_t> colors;
    for (const rt::NamedColor& named : rt::paletteColors()) {
        colors.insert(named.color);
        EXPECT_EQ(std::strlen(named.name), 4u);  // two GBK characters
    }
    EXPECT_EQ(colors.size(), 32u);
    EXPECT_STREQ(rt::paletteColors()[12].name, "红色");
    EXPECT_STREQ(rt::paletteColors()[17].name, "藏蓝");
    EXPECT_EQ(rt::paletteColors()[17].color, 0xE03058u);
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
}

TEST(PaletteLayoutTest, WithoutTransparentEntryTheSwatchesStartAtTheTop) {
    const rt::PaletteLayout layout(2, QSize(24, 16), QSize(66, 16), false);
    EXPECT_TRUE(layout.transparentRect().isEmpty());
    EXPECT_EQ(layout.swatchRect(0).topLeft(), QPoint(2, 2));
    EXPECT_EQ(layout.customRect().top(), 94);
    EXPECT_EQ(layout.entryAt(QPoint(5, 1)), rt::kNoEntry);
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
        {{1900, 100}, QRect(1920, 0, 1024, 768), {1920, 100}},
        {{2900, 700}, QRect(1920, 0, 1024, 768), {2814, 622}},
    };
    for (const auto& c : cases) EXPECT_EQ(rt::placedOnScreen(QRect(c.wanted, size), c.screen), c.expected);
    // Wider than the screen: it starts at the screen's left edge.
    EXPECT_EQ(rt::placedOnScreen(QRect(QPoint(50, 0), QSize(900, 100)), screen), QPoint(0, 0));
}

}  // namespace
