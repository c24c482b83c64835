#include "runtime/window/component_notifications.h"

#include <gtest/gtest.h>

#include <QApplication>

#include "runtime/value/owned.h"
#include "runtime/window/loaded_window.h"
#include "tests/runtime/window/test_windows.h"

namespace {

constexpr const char8_t* kWindows = u8R"(
window Main 0x52010001 0x06010000
    caption "主窗口"
unit Button "按钮1" 0x16010002
    text "确定"
    on clicked answer
window Dialog 0x52010002 0x06010002
    caption "对话框"
)";

class ComponentNotificationsTest : public ::testing::Test {
protected:
    void SetUp() override { useInterfaceText(kWindows); }
    void TearDown() override { destroyLoadedWindows(); }
};

TEST_F(ComponentNotificationsTest, LoadWindowAnswersZeroOrMinusOne) {
    EXPECT_EQ(rt::notifyRuntime(rt::notification::LoadWindow, 0x52010001, 0, 0), 0);
    auto* main = rt::WindowRuntime::instance().loadedWindow(0x52010001);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(rt::notifyRuntime(rt::notification::LoadWindow, 0x52010002, reinterpret_cast<uintptr_t>(main), 0), 0);
    EXPECT_EQ(rt::WindowRuntime::instance().loadedWindow(0x52010002)->parentWidget(), main);
    EXPECT_EQ(rt::notifyRuntime(rt::notification::LoadWindow, 0x52019999, 0, 0), -1);
}

TEST_F(ComponentNotificationsTest, FindUnitObjects) {
    EXPECT_EQ(rt::notifyRuntime(rt::notification::FindUnitObject, 0x52010001, 0x16010002), 0);
    ASSERT_TRUE(rt::WindowRuntime::instance().loadWindow(0x52010001));
    auto* main = rt::WindowRuntime::instance().loadedWindow(0x52010001);
    EXPECT_EQ(rt::notifyRuntime(rt::notification::FindUnitObject, 0x52010001, 0), reinterpret_cast<intptr_t>(main));
    EXPECT_EQ(rt::notifyRuntime(rt::notification::RequireUnitObject, 0x52010001, 0x16010002),
              reinterpret_cast<intptr_t>(main->unit(0x16010002)));
    EXPECT_EQ(rt::notifyRuntime(rt::notification::FindUnitObject, 0x52010001, 0x16010009), 0);
}

TEST_F(ComponentNotificationsTest, RaisedEventsReportTheHandlersAnswer) {
    ASSERT_TRUE(rt::WindowRuntime::instance().loadWindow(0x52010001));
    rt::EventRecord record;
    record.windowId = 0x52010001;
    record.unitId = 0x16010002;
    record.argumentCount = 2;
    record.arguments[0] = 4;
    record.arguments[1] = 5;
    nextAnswer() = 0;
    rt::notifyRuntime(rt::notification::RaiseEvent, reinterpret_cast<uintptr_t>(&record));
    EXPECT_EQ(record.returned, 1u);
    EXPECT_EQ(record.value, 0);
    ASSERT_EQ(routineCalls().size(), 1u);
    EXPECT_EQ(routineCalls()[0].arguments, (std::vector<int32_t>{4, 5}));

    nextAnswer().reset();
    rt::notifyRuntime(rt::notification::RaiseEvent, reinterpret_cast<uintptr_t>(&record));
    EXPECT_EQ(record.returned, 0u);
}

TEST_F(ComponentNotificationsTest, PropertiesOfAUnitHeldInAVariable) {
    ASSERT_TRUE(rt::WindowRuntime::instance().loadWindow(0x52010001));
    rt::UnitRef button{0x52010001, 0x16010002, rt::unit_kind::Button};
    rt::writeUnitProperty(button, 8, rt::Value::text("取消"));
    EXPECT_EQ(rt::OwnedText(rt::readUnitProperty(button, 8)).str(), "取消");
}

}  // namespace
