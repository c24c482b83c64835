// Where a picture goes inside its cell for each display mode.
#include "grid/view/picture_placement.h"

#include <gtest/gtest.h>

namespace {

TEST(PicturePlacementTest, SizesAndPositions) {
    const QRect area(10, 20, 100, 100);
    struct Case {
        QSize natural;
        int code;
        QRect target;
        bool tiled;
    } cases[] = {
        {{300, 200}, 10, {10, 20, 100, 100}, false},
        {{300, 200}, 11, {10, 37, 100, 66}, false},   // shrunk, centred, cut to whole pixels
        {{50, 50}, 11, {35, 45, 50, 50}, false},      // never enlarged
        {{50, 50}, 12, {10, 20, 100, 100}, false},    // enlarged to fit
        {{300, 200}, 12, {10, 37, 100, 66}, false},
        {{30, 20}, 13, {10, 20, 100, 100}, true},
        {{30, 20}, 1, {10, 20, 30, 20}, false},
        {{30, 20}, 5, {45, 60, 30, 20}, false},
        {{30, 20}, 9, {80, 100, 30, 20}, false},
        {{30, 20}, 0, {10, 20, 30, 20}, false},       // unknown codes act as top-left
        {{300, 200}, 3, {-190, 20, 300, 200}, false}, // natural size even when larger
    };
    for (const Case& c : cases) {
        grid::PicturePlacement placement = grid::placePicture(c.natural, area, c.code);
        EXPECT_EQ(placement.target, c.target) << c.code << " " << c.natural.width();
        EXPECT_EQ(placement.tiled, c.tiled) << c.code;
    }
}

TEST(PicturePlacementTest, TilesKeepTheirSize) {
    const QRect area(0, 0, 100, 50);
    EXPECT_EQ(grid::placePicture({30, 20}, area, 13).tileSize, QSize(30, 20));
    EXPECT_EQ(grid::placePicture({40, 20}, area, 14).tileSize, QSize(100, 50));
    EXPECT_EQ(grid::placePicture({10, 100}, area, 14).tileSize, QSize(5, 50));
}

TEST(PicturePlacementTest, TilesNeverExceedTheAreaAndShowTheirFittingPart) {
    const QRect area(0, 0, 100, 50);
    struct Case {
        QSize natural;
        int code;
        QSize tile;
        QSizeF part;
    } cases[] = {
        {{30, 20}, 13, {30, 20}, {1, 1}},
        {{100, 50}, 13, {100, 50}, {1, 1}},
        {{400, 20}, 13, {100, 20}, {0.25, 1}},
        {{30, 200}, 13, {30, 50}, {1, 0.25}},
        {{23622, 23622}, 13, {100, 50}, {100 / 23622.0, 50 / 23622.0}},
        {{10, 100}, 14, {5, 50}, {1, 1}},
    };
    for (const Case& c : cases) {
        grid::PicturePlacement placement = grid::placePicture(c.natural, area, c.code);
        EXPECT_EQ(placement.target, area) << c.natural.width() << " x " << c.natural.height();
        EXPECT_EQ(placement.tileSize, c.tile) << c.natural.width() << " x " << c.natural.height();
        EXPECT_DOUBLE_EQ(placement.tilePart.width(), c.part.width()) << c.natural.width();
        EXPECT_DOUBLE_EQ(placement.tilePart.height(), c.part.height()) << c.natural.height();
    }
}

TEST(PicturePlacementTest, NaturalLengthFollowsTheResolutionDownToOneDotPerInch) {
    struct Case {
        int pixels;
        int dotsPerMeter;
        int32_t units;
    } cases[] = {
        {96, 3780, 254},  // 96 dots per inch
        {300, 11811, 254},
        {96, 0, 254},     // none named: 96 dots per inch
        {96, -5, 254},
        {1, 2, 3},        // two dots per metre would be half a metre a pixel
        {1, 39, 3},
        {1, 40, 250},     // one dot per inch is taken as it is
        {32768, 40, 8192000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(grid::naturalUnits(c.pixels, c.dotsPerMeter), c.units) << c.pixels << " at " << c.dotsPerMeter;
    }
}

TEST(PicturePlacementTest, NothingForEmptySizes) {
    EXPECT_TRUE(grid::placePicture({0, 10}, {0, 0, 10, 10}, 10).target.isEmpty());
    EXPECT_TRUE(grid::placePicture({10, 10}, {0, 0, 0, 10}, 12).target.isEmpty());
}

}  // namespace
