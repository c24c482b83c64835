#include "runtime/template/template_segment.h"

#include <gtest/gtest.h>

#include <cstring>

#include "runtime/value/value.h"

namespace {

rt::TemplateSegment sampleSegment() {
    rt::UnitTemplate window;
    window.id = 0x06010000;
    window.kind = rt::unit_kind::Window;
    window.width = 735;
    window.height = 580;
    window.events = {{0, 3}, {1, -1}};
    window.kindProperties = std::string("caption\0电子表格", 16);

    rt::UnitTemplate group;
    group.id = 0x16010002;
    group.kind = rt::unit_kind::GroupBox;
    group.name = "分组框1";
    group.left = 6;
    group.top = -10;
    group.children = {0x16010003};
    group.tag = "4";
    group.stateFlags = rt::unit_state::Visible | rt::unit_state::Disabled;
    group.tabPosition = 2;
    group.mousePointer = std::string("\0\1\2", 3);

    rt::UnitTemplate menu;
    menu.id = 0x26010001;
    menu.kind = rt::unit_kind::MenuItem;
    menu.menu = {3, 1, rt::menu_state::Disabled, "新建", 7};

    rt::WindowTemplate main;
    main.id = 0x52010001;
    main.keptWords[1] = 9;
    main.units = {window, group, menu};

    rt::WindowTemplate empty;
    empty.id = 0x5201013B;
    empty.name = "x";
    return {{main, empty}};
}

uint32_t wordAt(const std::vector<uint8_t>& bytes, size_t offset) {
    uint32_t word;
    std::memcpy(&word, bytes.data() + offset, 4);
    return word;
}

TEST(TemplateSegment, WritingAndReadingGiveTheSameTemplates) {
    rt::TemplateSegment segment = sampleSegment();
    std::vector<uint8_t> bytes = rt::writeTemplateSegment(segment);
    rt::TemplateReadError error = rt::TemplateReadError::Truncated;
    auto read = rt::readTemplateSegment(bytes, &error);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(error, rt::TemplateReadError::None);
    EXPECT_EQ(*read, segment);
    EXPECT_EQ(rt::writeTemplateSegment(*read), bytes);
}

// A unit of the menu-item kind under an id that is not a menu item's is read as a
// plain unit; writing it must give bytes that read back the same (the fuzzer found
// a segment that did not).
TEST(TemplateSegment, AMenuItemKindUnderAUnitIdSurvivesWritingAndReading) {
    rt::TemplateSegment segment = sampleSegment();
    segment.windows[0].units[2].id = 0x16010009;
    segment.windows[0].units[2].menu = {};
    auto read = rt::readTemplateSegment(rt::writeTemplateSegment(segment));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, segment);
}

TEST(TemplateSegment, WindowListComesFirstWithEmptySlots) {
    std::vector<uint8_t> bytes = rt::writeTemplateSegment(sampleSegment());
    EXPECT_EQ(wordAt(bytes, 0), 16u);  // 8 bytes per window
    EXPECT_EQ(wordAt(bytes, 4), 0x52010001u);
    EXPECT_EQ(wordAt(bytes, 8), 0x5201013Bu);
    EXPECT_EQ(wordAt(bytes, 12), 0u);
    EXPECT_EQ(wordAt(bytes, 16), 0u);
    EXPECT_EQ(wordAt(bytes, 20), 0u);  // first kept word of the main window
    EXPECT_EQ(wordAt(bytes, 24), 9u);
}

TEST(TemplateSegment, EveryCutOffCopyIsRefused) {
    std::vector<uint8_t> bytes = rt::writeTemplateSegment(sampleSegment());
    for (size_t length = 0; length < bytes.size(); ++length) {
        rt::TemplateReadError error = rt::TemplateReadError::None;
        EXPECT_FALSE(rt::readTemplateSegment(std::span(bytes.data(), length), &error).has_value()) << length;
        EXPECT_NE(error, rt::TemplateReadError::None);
    }
    bytes.push_back(0);
    rt::TemplateReadError error;
    EXPECT_FALSE(rt::readTemplateSegment(bytes, &error).has_value());
    EXPECT_EQ(error, rt::TemplateReadError::TrailingBytes);
}

TEST(TemplateSegment, HostileCountsAreRefusedWithoutAllocating) {
    rt::TemplateSegment segment = sampleSegment();
    std::vector<uint8_t> bytes = rt::writeTemplateSegment(segment);
    // The main window's unit count is the word after its two names: make it huge.
    size_t unitCountOffset = 4 + 16 + 8 + 4 + 4;
    ASSERT_EQ(wordAt(bytes, unitCountOffset), 3u);
    std::vector<uint8_t> hugeUnits = bytes;
    uint32_t huge = 0x7FFFFFFF;
    std::memcpy(hugeUnits.data() + unitCountOffset, &huge, 4);
    rt::TemplateReadError error;
    EXPECT_FALSE(rt::readTemplateSegment(hugeUnits, &error).has_value());
    EXPECT_EQ(error, rt::TemplateReadError::BadUnitTable);

    // The window list's length not a multiple of eight.
    std::vector<uint8_t> oddList = bytes;
    uint32_t twelve = 12;
    std::memcpy(oddList.data(), &twelve, 4);
    EXPECT_FALSE(rt::readTemplateSegment(oddList, &error).has_value());
}

TEST(TemplateSegment, IdClasses) {
    EXPECT_TRUE(rt::isWindowId(0x52010001));
    EXPECT_FALSE(rt::isWindowId(0x52000000));
    EXPECT_TRUE(rt::isWindowOwnUnitId(0x06010000));
    EXPECT_TRUE(rt::isUnitId(0x16010003));
    EXPECT_TRUE(rt::isMenuItemId(0x26010008));
    EXPECT_FALSE(rt::isMenuItemId(0x16010003));
}

TEST(TemplateSegment, LookUps) {
    rt::TemplateSegment segment = sampleSegment();
    const rt::WindowTemplate* main = segment.findWindow(0x52010001);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->findUnitByName("分组框1")->id, 0x16010002u);
    EXPECT_EQ(main->findUnit(0x06010000)->handlerFor(0), 3);
    EXPECT_EQ(main->findUnit(0x06010000)->handlerFor(1), -1);
    EXPECT_EQ(main->findUnit(0x06010000)->handlerFor(2), -1);
    EXPECT_EQ(segment.findWindow(0x52019999), nullptr);
}

}  // namespace
