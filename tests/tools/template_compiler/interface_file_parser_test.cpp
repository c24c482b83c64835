#include "tools/template_compiler/interface_file_parser.h"

#include <gtest/gtest.h>

#include "runtime/template/kind_properties.h"
#include "runtime/value/value.h"

namespace {

// Interface files are UTF-8, whatever the program's own literals are.
std::string_view utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

constexpr const char8_t* kDialog = u8R"(# a dialog
window InsertDialog 0x5201013B 0x0601013A
    caption "插入行或列"
    rect 50 50 267 91
    on created fillDialog
unit CheckBox "选择框1"
    rect 9 40 86 16
    inside "分组框1"
    text "下面添加行"
    on clicked checkClicked
unit GroupBox "分组框1"
    rect 6 80 322 72
unit ComboBox "组合框1" 0x16010020
    item "保留"
    item "删除" "x"
    tag "4"
    hidden
    disabled
    tab 9
    on keyDown fillDialog
unit DataSrc "数据源1"
    provider "通用提供者1"
    allowDelete 0
unit ColorPicker "颜色选择器1"
    color 0xFF000000
    transparent 1
menu 0 " 文件(&W) "
menu 1 "新建" key Ctrl+Q on newTableFromMenu
menu 2 "撤销" key Ctrl+Shift+F12 disabled checked
menu 0 "表格弹出" hidden
)";

TEST(InterfaceFileParser, ReadsWindowsUnitsAndMenus) {
    uic::InterfaceFileParser parser;
    ASSERT_TRUE(parser.parse("dialog.ui.txt", utf8(kDialog))) << parser.error();
    ASSERT_EQ(parser.windows().size(), 1u);
    const rt::WindowTemplate& window = parser.windows()[0];
    EXPECT_EQ(window.id, 0x5201013Bu);
    ASSERT_EQ(window.units.size(), 10u);

    const rt::UnitTemplate& own = window.units[0];
    EXPECT_EQ(own.id, 0x0601013Au);
    EXPECT_EQ(own.name, "InsertDialog");
    EXPECT_EQ(own.width, 267);
    EXPECT_EQ(own.handlerFor(0), 0);
    EXPECT_EQ(rt::PropertyBlock::decode(own.kindProperties)->text("caption"), "插入行或列");

    const rt::UnitTemplate* check = window.findUnitByName("选择框1");
    const rt::UnitTemplate* group = window.findUnitByName("分组框1");
    ASSERT_TRUE(check && group);
    // A unit may name a container that comes later in creation order.
    EXPECT_EQ(check->parent, group->id);
    EXPECT_EQ(group->children, std::vector<uint32_t>{check->id});
    EXPECT_EQ(check->handlerFor(0), 1);
    EXPECT_NE(check->id, group->id);

    const rt::UnitTemplate* combo = window.findUnitByName("组合框1");
    EXPECT_EQ(combo->id, 0x16010020u);
    EXPECT_EQ(combo->tag, "4");
    EXPECT_FALSE(combo->isVisible());
    EXPECT_TRUE(combo->isDisabled());
    EXPECT_EQ(combo->tabPosition, 9u);
    EXPECT_EQ(combo->handlerFor(-9), 0);
    EXPECT_EQ(rt::PropertyBlock::decode(combo->kindProperties)->lines("item"),
              (std::vector<std::string>{"保留", "删除\tx"}));

    auto dataSource = rt::DataSrcBlock::decode(window.findUnitByName("数据源1")->kindProperties);
    ASSERT_TRUE(dataSource.has_value());
    EXPECT_EQ(dataSource->providerName, "通用提供者1");
    EXPECT_EQ(dataSource->allowAdd, 1);
    EXPECT_EQ(dataSource->allowDelete, 0);
    auto picker = rt::ColorPickerBlock::decode(window.findUnitByName("颜色选择器1")->kindProperties);
    EXPECT_EQ(picker->color, 0xFF000000u);
    EXPECT_EQ(picker->transparentAllowed, 1);

    const rt::UnitTemplate& newItem = window.units[7];
    EXPECT_TRUE(newItem.isMenuItem());
    EXPECT_TRUE(rt::isMenuItemId(newItem.id));
    EXPECT_EQ(newItem.menu.caption, "新建");
    EXPECT_EQ(newItem.menu.shortcut, 17u);  // Ctrl+Q
    EXPECT_EQ(newItem.menu.handler, 2);
    EXPECT_EQ(window.units[8].menu.shortcut, 74u);
    EXPECT_EQ(window.units[8].menu.stateFlags, rt::menu_state::Disabled | rt::menu_state::Checked);
    EXPECT_EQ(window.units[8].menu.handler, -1);
    EXPECT_EQ(window.units[9].menu.stateFlags, rt::menu_state::Hidden);

    EXPECT_EQ(parser.routineNames(), (std::vector<std::string>{"fillDialog", "checkClicked", "newTableFromMenu"}));
}

TEST(InterfaceFileParser, MistakesNameTheFileAndLine) {
    const std::pair<const char8_t*, const char*> cases[] = {
        {u8"unit Label \"a\"\n", "f.ui.txt:1: the file must start with a window line"},
        {u8"window W 0x52010001 0x06010000\n  caption \"open\n", "f.ui.txt:2: a quoted text is not closed"},
        {u8"window W 0x52010001 0x06010000\nunit Slider \"a\"\n", "f.ui.txt:2: unknown unit kind Slider"},
        {u8"window W 0x52010001 0x06010000\n\nunit Label \"a\"\n  on hover x\n", "f.ui.txt:4: unknown event hover"},
        {u8"window W 0x52010001 0x06010000\nmenu 1 \"a\" key Ctrl+1\n", "f.ui.txt:2: unknown key name Ctrl+1"},
        {u8"window W 0x52010001 0x06010000\n  on created open-file\n",
         "f.ui.txt:2: routine names are identifiers: open-file"},
        {u8"window W 0x52010001 0x06010000\nunit Label \"a\"\n  inside \"b\"\n", "f.ui.txt:3: no group box named b"},
        {u8"window W 0x52010001 0x06010000\nunit Label \"a\"\nunit Label \"a\"\n",
         "f.ui.txt:3: unit name used twice in this window"},
        {u8"window W 0x52010001 0x06010000\nunit NProvider \"p\"\n  colour 3\n",
         "f.ui.txt:3: unit p has no property colour"},
        {u8"window W 0x52010001 0x06010000\n  rect 1 2 3\n", "f.ui.txt:2: rect takes 4 value(s)"},
        {u8"window W 0x12010001 0x06010000\n", "f.ui.txt:1: window ids start with 0x52, own unit ids with 0x06"},
        {u8"window W 0x52010001 0x06010000\nmenu 3 \"a\"\n",
         "f.ui.txt:2: expected: menu level \"caption\" [key K] [disabled] [hidden] [checked] [on routine]"},
    };
    for (const auto& [text, expected] : cases) {
        uic::InterfaceFileParser parser;
        EXPECT_FALSE(parser.parse("f.ui.txt", utf8(text))) << utf8(text);
        EXPECT_EQ(parser.error(), expected);
    }
}

TEST(InterfaceFileParser, RoutineIndexesRunAcrossFiles) {
    uic::InterfaceFileParser parser;
    ASSERT_TRUE(parser.parse("a.ui.txt", "window A 0x52010001 0x06010000\n on created first\n on mayClose second\n"));
    ASSERT_TRUE(parser.parse("b.ui.txt", "window B 0x52010002 0x06010002\n on created second\n on moved third\n"));
    EXPECT_EQ(parser.windows()[1].units[0].handlerFor(0), 1);
    EXPECT_EQ(parser.windows()[1].units[0].handlerFor(3), 2);
    EXPECT_FALSE(parser.parse("c.ui.txt", "window C 0x52010001 0x06010003\n"));
    EXPECT_EQ(parser.error(), "c.ui.txt:1: window id used twice");
}

TEST(InterfaceFileParser, NumbersInDecimalAndHexadecimal) {
    int64_t value;
    EXPECT_TRUE(uic::parseNumber("-10", value));
    EXPECT_EQ(value, -10);
    EXPECT_TRUE(uic::parseNumber("0xFF000000", value));
    EXPECT_EQ(value, 0xFF000000);
    EXPECT_FALSE(uic::parseNumber("12px", value));
    EXPECT_FALSE(uic::parseNumber("0x", value));
}

}  // namespace
