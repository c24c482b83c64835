// Runtime errors of the window runtime end the process with their exact text. Each
// case runs in a child that makes its own application object, so this executable
// keeps none in the parent.
#include <gtest/gtest.h>

#include "runtime/window/window_runtime.h"
#include "tests/runtime/error/report_in_child.h"
#include "tests/runtime/window/test_windows.h"
#include "tests/support/qt_application.h"

namespace {

constexpr const char8_t* kOneWindow = u8R"(
window Main 0x52010001 0x06010000
    caption "主窗口"
unit Label "标签1" 0x16010001
)";

std::string expectedBox(const char* message) { return rt::composeRuntimeErrorText(message, 0); }

TEST(WindowRuntimeErrors, EachEndsTheProcessWithItsText) {
    auto& runtime = rt::WindowRuntime::instance();
    auto inChild = [&](auto action) {
        return reportInChild([&] {
            testApplication();
            useInterfaceText(kOneWindow);
            action();
        });
    };
    EXPECT_EQ(inChild([&] { runtime.deliverEvent(0x52010009, 0, 0, {}); }), expectedBox("未找到引发事件的窗口"));
    EXPECT_EQ(inChild([&] {
                  runtime.loadWindow(0x52010001);
                  runtime.deliverEvent(0x52010001, 0x16019999, 0, {});
              }),
              expectedBox("未找到引发事件的窗口组件"));
    EXPECT_EQ(inChild([&] { runtime.readProperty(0x52010009, 0x16010001, 0); }),
              expectedBox("未载入欲访问窗口组件所在的窗口"));
    EXPECT_EQ(inChild([&] { runtime.readProperty(0x52010001, 0x16010001, 8); }), expectedBox("指定窗口尚未载入"));
    EXPECT_EQ(inChild([&] { runtime.loadStartupWindow(0x52010002); }), expectedBox("载入启动窗口失败"));
    EXPECT_EQ(reportInChild([&] {
                  testApplication();
                  const uint8_t broken[] = {8, 0, 0, 0, 1};
                  runtime.initialise(broken, {}, {});
              }),
              expectedBox("载入窗口模板数据段出错!"));
}

}  // namespace
