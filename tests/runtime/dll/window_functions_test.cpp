#include <gtest/gtest.h>

#include <QColorDialog>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <cstring>
#include <thread>

#include "runtime/dll/dll_calls.h"
#include "runtime/dll/dll_commands.h"
#include "runtime/dll/window_handles.h"
#include "tests/support/qt_application.h"

namespace {

using rt::Value;
namespace command = rt::dll_command;

Value callDll(int index, std::initializer_list<Value> arguments) {
    return rt::applicationDllCommands().call(index, static_cast<int>(arguments.size()), arguments.begin());
}

Value pointerTo(void* p) { return Value::fromPointer(p, rt::tagOf(rt::ValueType::Long)); }

class WindowFunctionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.setWindowTitle(QStringLiteral("颜色选择"));
        window.setProperty("windowClass", QStringLiteral("RmWindow"));
        window.resize(200, 100);
        window.show();
        other.setWindowTitle(QStringLiteral("另一个"));
        other.show();
    }
    QApplication& application = testApplication();  // before the widgets
    QWidget window;
    QWidget other;
};

TEST_F(WindowFunctionsTest, FindsWindowsByClassAndTitle) {
    uint32_t handle = rt::handleOfWindow(&window);
    EXPECT_EQ(callDll(command::FindWindow, {Value::text("RmWindow"), Value::text("颜色选择")}).low, handle);
    EXPECT_EQ(callDll(command::FindWindow, {Value::text(nullptr), Value::text("颜色选择")}).low, handle);
    EXPECT_EQ(callDll(command::FindWindow, {Value::text("RmWindow"), Value::text("颜色")}).low, 0u);
    EXPECT_EQ(callDll(command::FindWindow, {Value::text("#32770"), Value::text("颜色选择")}).low, 0u);

    // Walking all top-level windows one after another reaches both of ours.
    std::vector<uint32_t> seen;
    for (uint32_t after = 0;;) {
        after = callDll(command::FindWindowEx,
                        {Value::integer(0), Value::integer(static_cast<int32_t>(after)), Value::text(nullptr),
                         Value::text(nullptr)})
                    .low;
        if (after == 0) break;
        seen.push_back(after);
    }
    EXPECT_NE(std::find(seen.begin(), seen.end(), handle), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), rt::handleOfWindow(&other)), seen.end());
}

TEST_F(WindowFunctionsTest, WindowTextIsGbkAndNeverSplitsACharacter) {
    Value handle = Value::integer(static_cast<int32_t>(rt::handleOfWindow(&window)));
    EXPECT_EQ(callDll(command::GetWindowTextLength, {handle}).low, 8u);
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(callDll(command::GetWindowText, {handle, pointerTo(buffer), Value::integer(16)}).low, 8u);
    EXPECT_STREQ(buffer, "颜色选择");
    EXPECT_EQ(callDll(command::GetWindowText, {handle, pointerTo(buffer), Value::integer(4)}).low, 2u);
    EXPECT_STREQ(buffer, "颜");
    EXPECT_EQ(callDll(command::GetWindowText, {handle, pointerTo(buffer), Value::integer(0)}).low, 0u);
    EXPECT_EQ(callDll(command::GetWindowTextLength, {Value::integer(0x7FFFFFFF)}).low, 0u);
}

TEST_F(WindowFunctionsTest, MoveWindowThenReadItsRectangle) {
    Value handle = Value::integer(static_cast<int32_t>(rt::handleOfWindow(&window)));
    EXPECT_TRUE(callDll(command::MoveWindow, {handle, Value::integer(30), Value::integer(40), Value::integer(300),
                                              Value::integer(200), Value::logical(true)})
                    .low);
    int32_t rectangle[4] = {};
    EXPECT_TRUE(callDll(command::GetWindowRect, {handle, pointerTo(rectangle)}).low);
    EXPECT_EQ(rectangle[0], 30);
    EXPECT_EQ(rectangle[1], 40);
    EXPECT_EQ(rectangle[2], 330);
    EXPECT_EQ(rectangle[3], 240);
    EXPECT_TRUE(callDll(command::SetForegroundWindow, {handle}).low);

    int32_t point[2] = {-1, -1};
    EXPECT_TRUE(callDll(command::GetCursorPos, {pointerTo(point)}).low);
    EXPECT_GE(point[0], 0);
}

TEST_F(WindowFunctionsTest, WorksFromAHelperThread) {
    // The colour dialog's placement runs on its own thread while the interface thread
    // waits in a dialog; the calls must be carried out on the interface thread.
    uint32_t found = 0;
    QEventLoop loop;
    std::thread helper([&] {
        found = callDll(command::FindWindow, {Value::text(nullptr), Value::text("另一个")}).low;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    helper.join();
    EXPECT_EQ(found, rt::handleOfWindow(&other));
}

struct ColorRecord {
    uint32_t words[9];
};

ColorRecord colorRecord(uint32_t initial, uint32_t flags) {
    ColorRecord record{};
    record.words[0] = 36;
    record.words[3] = initial;
    record.words[5] = flags;
    return record;
}

TEST_F(WindowFunctionsTest, ColourDialogReturnsTheChosenColour) {
    QString title;
    QColor offered;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        offered = dialog->currentColor();
        dialog->setCurrentColor(QColor(0x11, 0x22, 0x33));
        dialog->accept();
    });
    ColorRecord record = colorRecord(0x00FF0000, 1);
    EXPECT_TRUE(callDll(command::ChooseColor, {pointerTo(&record)}).low);
    EXPECT_EQ(title, QStringLiteral("颜色"));
    EXPECT_EQ(offered, QColor(0, 0, 0xFF));  // 0x00BBGGRR: blue
    EXPECT_EQ(record.words[3], 0x00332211u);
}

TEST_F(WindowFunctionsTest, CancelledColourDialogLeavesTheRecord) {
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    ColorRecord record = colorRecord(0x123456, 0);
    EXPECT_FALSE(callDll(command::ChooseColor, {pointerTo(&record)}).low);
    EXPECT_EQ(record.words[3], 0x123456u);

    ColorRecord wrongSize = colorRecord(0, 0);
    wrongSize.words[0] = 40;
    EXPECT_FALSE(callDll(command::ChooseColor, {pointerTo(&wrongSize)}).low);
}

TEST_F(WindowFunctionsTest, TypedCallsWrapTheDeclaredCommands) {
    uint32_t handle = rt::dll::findWindow("RmWindow", "颜色选择");
    EXPECT_EQ(handle, rt::handleOfWindow(&window));
    EXPECT_EQ(rt::dll::findWindowAfter(0, 0, nullptr, "另一个"), rt::handleOfWindow(&other));
    EXPECT_EQ(rt::dll::windowText(handle), "颜色选择");
    EXPECT_EQ(rt::dll::windowText(0), "");
    ASSERT_TRUE(rt::dll::moveWindow(handle, {10, 20, 310, 220}));
    auto rect = rt::dll::windowRect(handle);
    ASSERT_TRUE(rect.has_value());
    EXPECT_EQ(rect->left, 10);
    EXPECT_EQ(rect->bottom, 220);
    EXPECT_FALSE(rt::dll::windowRect(0).has_value());
    EXPECT_EQ(rt::dll::stringToInt64("0xff", true), 255);
    EXPECT_EQ(rt::dll::stringToInt64("zz", true), std::nullopt);

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentColor(QColor(1, 2, 3));
        dialog->accept();
    });
    EXPECT_EQ(rt::dll::chooseColor(handle, 0), 0x00030201u);
}

}  // namespace
