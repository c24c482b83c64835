#include "grid/model/cell.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "grid/model/cell_content.h"
#include "grid/model/page_settings.h"

namespace {

using grid::Cell;
using grid::CellKind;

Cell cellOfKind(CellKind kind, grid::InputType type = grid::InputType::Normal) {
    Cell cell;
    cell.setFlags(grid::withInputType(grid::withKind(cell.flags(), kind), type));
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

// Content up to 15 bytes lives in the cell, longer content on the heap: around that
// edge every copy, move and overwrite keeps the bytes and the NUL after them.
TEST(CellTest, ContentSurvivesCopiesAndMovesOnBothSidesOfTheInlineEdge) {
    for (size_t length : {1u, 13u, 14u, 15u, 16u, 17u, 300u}) {
        SCOPED_TRACE(length);
        const std::string text(length, 'x');
        Cell cell;
        cell.setTextContent(text);
        EXPECT_EQ(cell.contentLength(), length + 1);
        EXPECT_EQ(cell.content().data()[length + 1], 0) << "a NUL follows the stored bytes";
        Cell copy(cell);
        Cell moved(std::move(cell));
        EXPECT_EQ(copy.text(), text);
        EXPECT_EQ(moved.text(), text);
        EXPECT_EQ(cell.contentLength(), 0u);
        Cell assigned;
        assigned.setTextContent("an older text that is long enough for the heap");
        assigned = moved;
        EXPECT_EQ(assigned.text(), text);
        assigned = std::move(copy);
        EXPECT_EQ(assigned.text(), text);
        // Writing a cell's own content back into it, whole or in part.
        assigned.setTextContent(assigned.text().substr(1));
        EXPECT_EQ(assigned.text(), text.substr(1));
        assigned.setContent(assigned.content());
        EXPECT_EQ(assigned.text(), text.substr(1));
    }
}

TEST(CellTest, FontNamesAreSharedAndKeepTheStoredFieldsBytes) {
    Cell a, b;
    a.setFontName("黑体");
    b.setFontName(std::string("黑") + "体");
    EXPECT_EQ(a.fontNameView().data(), b.fontNameView().data()) << "one copy of each face";
    EXPECT_EQ(Cell().fontNameView(), "");
    b.setStoredFontName(std::string_view("ab\0cd", 5));
    EXPECT_EQ(b.fontNameView(), "ab") << "the field ended at its first NUL";
    b.setStoredFontName(std::string(40, 'f'));
    EXPECT_EQ(b.fontNameView(), std::string(31, 'f'));
    EXPECT_EQ(a.formatOnly().fontNameView(), "黑体");
}

TEST(CellTest, CellsThatLookTheSameShareOneFormatNumberFromAnyThread) {
    grid::Cell cell;
    EXPECT_EQ(cell.formatIndex(), grid::kDefaultFormatIndex);
    cell.setBackColor(0x123456);
    cell.setFontName("黑体");
    const uint32_t changed = cell.formatIndex();
    EXPECT_NE(changed, grid::kDefaultFormatIndex);
    grid::Cell other;
    other.setFontName("黑体");
    other.setBackColor(0x123456);
    EXPECT_EQ(other.formatIndex(), changed) << "the order of the changes does not matter";
    EXPECT_TRUE(grid::sameCell(cell, other));
    other.setBackColor(0xFF000000);
    other.setFontName("");
    other.setStoredFontName("");
    EXPECT_EQ(other.formatIndex(), grid::kDefaultFormatIndex) << "undoing the changes gives the default back";

    // More formats than one block of the store holds, made on two threads at once:
    // every number still gives back its own format, and both threads agree.
    constexpr uint32_t kFormats = 5000;
    std::vector<uint32_t> numbers[2];
    auto make = [](std::vector<uint32_t>& into) {
        for (uint32_t i = 0; i < kFormats; ++i) into.push_back(grid::internFormat({.textColor = 0xABC00000 + i}));
    };
    std::thread second(make, std::ref(numbers[1]));
    make(numbers[0]);
    second.join();
    EXPECT_EQ(numbers[0], numbers[1]);
    for (uint32_t i = 0; i < kFormats; ++i) EXPECT_EQ(grid::formatAt(numbers[0][i]).textColor, 0xABC00000 + i);
}

TEST(CellTest, AMaskedCellShowsOneStarPerByte) {
    Cell cell;
    grid::setTextByRules(cell, "密码1");
    cell.setFlags(cell.flags() | grid::CellFlags::kMasked);
    EXPECT_EQ(grid::displayText(cell), "*****");
    cell.setFlags(cell.flags() & ~grid::CellFlags::kMasked);
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
