#include "grid/model/cell.h"

#include <gtest/gtest.h>

#include <string>

#include "grid/model/cell_content.h"
#include "grid/model/page_settings.h"

namespace {

using grid::Cell;
using grid::CellKind;

Cell cellOfKind(CellKind kind, grid::InputType type = grid::InputType::Normal) {
    Cell cell;
    cell.flags = grid::withInputType(grid::withKind(cell.flags, kind), type);
    return cell;
}

TEST(CellTest, FontNamesBeyondThirtyBytesAndTheEmptyNameStoreTheDefaultFace) {
    struct Case {
        std::string name;
        std::string stored;
    };
    const Case cases[] = {
        {std::string(30, 'a'), std::string(30, 'a')},
        {std::string(31, 'a'), "宋体"},
        {"", "宋体"},
        {"黑体", "黑体"},
    };
    for (const Case& c : cases) {
        Cell cell;
        cell.setFontName(c.name);
        EXPECT_EQ(cell.fontNameView(), c.stored) << c.name;
    }
}

TEST(CellTest, TextIsStoredWithItsNulAndTheEmptyTextStoresNothing) {
    Cell cell;
    ASSERT_TRUE(grid::setTextByRules(cell, "x"));
    EXPECT_EQ(cell.contentLength(), 2u);
    EXPECT_EQ(cell.content()[1], 0);
    ASSERT_TRUE(grid::setTextByRules(cell, ""));
    EXPECT_EQ(cell.contentLength(), 0u);
}

TEST(CellTest, AVerbatimCellKeepsTheTextAsTypedWhateverItsInputType) {
    Cell verbatim = cellOfKind(CellKind::VerbatimText, grid::InputType::Integer);
    Cell converted = cellOfKind(CellKind::Text, grid::InputType::Integer);
    grid::setTextByRules(verbatim, "007");
    grid::setTextByRules(converted, "007");
    EXPECT_EQ(verbatim.text(), "007");
    EXPECT_EQ(converted.text(), "7");
}

TEST(CellTest, TextAndDataGoOnlyToTheirOwnKinds) {
    const uint8_t bytes[] = {1, 2, 3};
    for (CellKind kind : {CellKind::Text, CellKind::VerbatimText, CellKind::Picture, CellKind::Binary}) {
        Cell cell = cellOfKind(kind);
        bool isData = grid::isDataKind(kind);
        EXPECT_EQ(grid::setTextByRules(cell, "abc"), !isData);
        EXPECT_EQ(grid::setDataByRules(cell, bytes), isData);
        EXPECT_EQ(cell.contentLength(), isData ? 3u : 4u);
        EXPECT_EQ(cell.text(), isData ? "" : "abc") << "data kinds have no text";
    }
}

struct MarkerCache : grid::PictureCache {
    explicit MarkerCache(bool& destroyed) : destroyed(destroyed) {}
    ~MarkerCache() override { destroyed = true; }
    bool& destroyed;
};

TEST(CellTest, ChangingTheContentDropsThePictureBuiltFromIt) {
    Cell cell = cellOfKind(CellKind::Picture);
    const uint8_t bytes[] = {'B', 'M', 0, 0, 0, 0};
    grid::setDataByRules(cell, bytes);
    bool destroyed = false;
    cell.setPictureCache(std::make_unique<MarkerCache>(destroyed));
    Cell copy(cell);
    EXPECT_EQ(copy.pictureCache(), nullptr) << "a copy never shares the decoded picture";
    EXPECT_EQ(copy.content().size(), 6u);
    grid::setDataByRules(cell, {});
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(cell.contentLength(), 0u);
}

TEST(CellTest, AMaskedCellShowsOneStarPerByte) {
    Cell cell;
    grid::setTextByRules(cell, "密码1");
    cell.flags |= grid::CellFlags::kMasked;
    EXPECT_EQ(grid::displayText(cell), "*****");
    cell.flags &= ~grid::CellFlags::kMasked;
    EXPECT_EQ(grid::displayText(cell), "密码1");
}

TEST(CellTest, KindBitsReadInTheOrderPictureBinaryVerbatim) {
    using namespace grid::CellFlags;
    EXPECT_EQ(grid::kindOf(0), CellKind::Text);
    EXPECT_EQ(grid::kindOf(kVerbatimText | kBinaryData), CellKind::Binary);
    EXPECT_EQ(grid::kindOf(kVerbatimText | kPictureData), CellKind::Picture);
    EXPECT_EQ(grid::inputTypeOf(15u << kInputTypeShift), grid::InputType::Normal) << "values above 8 act as 0";
}

TEST(PageSettingsTest, ScaleIsClampedWhenReadForUse) {
    const std::pair<int16_t, int16_t> cases[] = {{-3, -2}, {-2, -2}, {-1, -1}, {0, 100},   {1, 20},
                                                 {19, 20}, {20, 20}, {150, 150}, {1000, 1000}, {1001, 1000}};
    for (auto [stored, used] : cases) {
        grid::PageSettings settings;
        settings.scale = stored;
        EXPECT_EQ(settings.scaleForUse(), used) << stored;
    }
}

}  // namespace
