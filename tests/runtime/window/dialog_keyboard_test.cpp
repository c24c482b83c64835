// A loaded dialog used from the keyboard alone: Tab in reading order, Enter and
// Escape as a dialog's keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <string>
#include <vector>

#include "runtime/window/loaded_window.h"
#include "tests/runtime/window/test_windows.h"

namespace {

constexpr uint32_t kMain = 0x52010001;
constexpr uint32_t kDialog = 0x52010002;
constexpr uint32_t kPlainDialog = 0x52010003;

// Listed as templates often list them, the last drawn first.
constexpr const char8_t* kWindows = u8R"(
window Main 0x52010001 0x06010000
    caption "主窗口"
    rect 10 20 400 300
    frame 1
unit EditBox "编辑框_主"
    rect 10 10 80 20
window Dialog 0x52010002 0x06010001
    caption "插入行或列"
    rect 50 50 300 200
    frame 2
unit Button "按钮_取消"
    rect 200 160 60 24
    text "取消"
    cancel 1
    on clicked cancel
unit Button "按钮_确定"
    rect 120 160 60 24
    text "确定"
    default 1
    on clicked confirm
unit CheckBox "选择框1"
    rect 10 130 80 16
    text "下面添加行"
unit RadioBox "单选框2"
    rect 100 16 60 16
    inside "分组框1"
    text "降序"
unit RadioBox "单选框1"
    rect 8 16 60 16
    inside "分组框1"
    text "升序"
    checked 1
unit GroupBox "分组框1"
    rect 10 60 200 50
    text "次序"
unit EditBox "编辑框2"
    rect 150 12 40 20
    spin 1
    text "1"
unit Label "标签1"
    rect 10 15 130 16
    text "行数：          列数："
unit EditBox "编辑框1"
    rect 50 14 40 20
    text "1"
window Plain 0x52010003 0x06010002
    caption "关于"
    rect 60 60 200 100
    frame 2
    on mayClose answer
unit Button "按钮1"
    rect 10 40 60 24
    text "确定"
    on clicked confirm
unit EditBox "编辑框1"
    rect 10 10 80 20
)";

class DialogKeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        useInterfaceText(kWindows);
        ASSERT_TRUE(runtime.loadWindow(kMain));
        ASSERT_TRUE(runtime.loadWindow(kDialog, kMain, false));
        activate(kDialog);
        routineCalls().clear();
    }
    void TearDown() override { destroyLoadedWindows(); }

    void activate(uint32_t windowId) {
        rt::LoadedWindow* window = runtime.loadedWindow(windowId);
        window->activateWindow();
        QApplication::setActiveWindow(window);
        ASSERT_EQ(QApplication::activeWindow(), window);
    }
    QWidget* widgetOf(uint32_t windowId, const char* name) const {
        return runtime.loadedUnit(windowId, runtime.unitIdByName(windowId, name))->widget();
    }
    // The unit whose widget holds the keyboard focus, by its name.
    std::string focusedUnit(uint32_t windowId) const {
        for (const auto& unit : runtime.loadedWindow(windowId)->units()) {
            QWidget* widget = unit->widget();
            if (widget && (widget == QApplication::focusWidget() || widget->isAncestorOf(QApplication::focusWidget())))
                return unit->name();
        }
        return "(none)";
    }
    std::vector<std::string> calledNames() const {
        std::vector<std::string> names;
        for (const RoutineCall& call : routineCalls()) names.push_back(call.name);
        return names;
    }

    rt::WindowRuntime& runtime = rt::WindowRuntime::instance();
};

TEST_F(DialogKeyboardTest, TabGoesTopToBottomAndLeftToRightGroupByGroup) {
    // A group of radio buttons is one stop, at its chosen button; the arrow keys move
    // within the group.
    const std::vector<std::string> reading = {"编辑框1", "编辑框2", "单选框1", "选择框1", "按钮_确定", "按钮_取消"};
    // Opening the dialog puts the focus on its first unit in reading order.
    std::vector<std::string> visited{focusedUnit(kDialog)};
    while (visited.size() < reading.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(focusedUnit(kDialog));
    }
    EXPECT_EQ(visited, reading);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(focusedUnit(kDialog), reading[reading.size() - 2]);
}

TEST_F(DialogKeyboardTest, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
    struct Case {
        const char* focus;
        Qt::Key key;
        std::vector<std::string> called;
    };
    const Case cases[] = {
        {"编辑框1", Qt::Key_Return, {"confirm"}},
        {"编辑框2", Qt::Key_Enter, {"confirm"}},
        {"选择框1", Qt::Key_Return, {"confirm"}},
        // A focused push button is the one Enter presses.
        {"按钮_取消", Qt::Key_Return, {"cancel"}},
        {"编辑框1", Qt::Key_Escape, {"cancel"}},
        {"单选框1", Qt::Key_Escape, {"cancel"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.focus) + " " + std::to_string(c.key));
        widgetOf(kDialog, c.focus)->setFocus();
        routineCalls().clear();
        QTest::keyClick(QApplication::focusWidget(), c.key);
        EXPECT_EQ(calledNames(), c.called);
    }
    // The handlers here close nothing, so the dialog is still open.
    EXPECT_NE(runtime.loadedWindow(kDialog), nullptr);
}

TEST_F(DialogKeyboardTest, EscapeClosesADialogWithoutCancelButtonAsItsCloseBoxDoes) {
    ASSERT_TRUE(runtime.loadWindow(kPlainDialog, kMain, false));
    activate(kPlainDialog);
    routineCalls().clear();
    // Enter in a box, without a default button, presses nothing; for Escape the close
    // box's question decides.
    ASSERT_EQ(focusedUnit(kPlainDialog), "编辑框1");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(routineCalls().empty());
    nextAnswer() = 0;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(calledNames(), std::vector<std::string>{"answer"});
    EXPECT_NE(runtime.loadedWindow(kPlainDialog), nullptr);
    nextAnswer().reset();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(runtime.loadedWindow(kPlainDialog), nullptr);

    // The main window is no dialog: Escape leaves it open.
    activate(kMain);
    QTest::keyClick(widgetOf(kMain, "编辑框_主"), Qt::Key_Escape);
    EXPECT_NE(runtime.loadedWindow(kMain), nullptr);
}

}  // namespace
