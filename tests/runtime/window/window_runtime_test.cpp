#include "runtime/window/window_runtime.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "runtime/value/call.h"
#include "runtime/value/owned.h"
#include "runtime/window/loaded_window.h"
#include "runtime/window/unit_properties.h"
#include "tests/runtime/window/test_windows.h"

namespace {

using rt::Value;

constexpr uint32_t kMain = 0x52010001;
constexpr uint32_t kDialog = 0x52010002;
constexpr uint32_t kLabel = 0x16010001;
constexpr uint32_t kButton = 0x16010002;
constexpr uint32_t kEdit = 0x16010003;
constexpr uint32_t kCheck = 0x16010004;
constexpr uint32_t kSecondCheck = 0x16010005;

constexpr const char8_t* kWindows = u8R"(
window Main 0x52010001 0x06010000
    caption "主窗口"
    rect 10 20 400 300
    frame 1
    on created created
    on moved moved
    on sizeChanged sized
    on mayClose answer
    on willBeDestroyed destroyed
unit Label "标签1" 0x16010001
    rect 5 6 70 16
    text "行数："
    tag "标记"
    on leftDown answer
unit Button "按钮1" 0x16010002
    rect 100 10 60 24
    text "确定"
    on clicked clicked
unit EditBox "编辑框1" 0x16010003
    rect 10 40 80 20
    text "1"
    on changed changed
    on character answer
unit CheckBox "选择框1" 0x16010004
    rect 10 70 80 16
    text "粗体"
    disabled
    on clicked checkClicked
unit CheckBox "选择框2" 0x16010005
    rect 10 90 80 16
    text "斜体"
    hidden
menu 0 " 文件(&W) "
menu 1 "新建" key Ctrl+Q on newItem
menu 1 "-"
menu 0 "弹出" hidden
menu 1 "复制" key Ctrl+C on copyItem
menu 0 " 表格(&B) "
menu 1 "插入行或列…" key Ctrl+E on insertBoth
menu 1 "插入列" key Ctrl+E on insertColumn
window Dialog 0x52010002 0x06010002
    caption "对话框"
    rect 50 50 200 100
    frame 2
    on created dialogCreated
)";

// Runs the action once the window is on the screen (a modal load only returns when
// the window is gone, so whatever a test does to it happens from the event loop).
void whenShown(uint32_t windowId, std::function<void()> action) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, windowId, action] {
        rt::LoadedWindow* window = rt::WindowRuntime::instance().loadedWindow(windowId);
        if (!window || !window->isVisible()) return;
        poll->deleteLater();
        poll->stop();
        action();
    });
    poll->start(1);
}

class WindowRuntimeTest : public ::testing::Test {
protected:
    void SetUp() override { useInterfaceText(kWindows); }
    void TearDown() override { destroyLoadedWindows(); }

    rt::WindowRuntime& runtime = rt::WindowRuntime::instance();

    std::vector<std::string> calledNames() const {
        std::vector<std::string> names;
        for (const RoutineCall& call : routineCalls()) names.push_back(call.name);
        return names;
    }
    QWidget* widgetOf(uint32_t unitId) const { return runtime.loadedUnit(kMain, unitId)->widget(); }
    int32_t integerProperty(uint32_t unitId, int32_t index) {
        Value value = runtime.readProperty(kMain, unitId, index);
        return rt::Arguments(1, &value).integer(0);
    }
    std::string textProperty(uint32_t unitId, int32_t index) {
        return rt::OwnedText(runtime.readProperty(kMain, unitId, index)).str();
    }
};

TEST_F(WindowRuntimeTest, LoadingMakesEveryUnitThenRaisesCreatedMovedAndSized) {
    ASSERT_TRUE(runtime.loadWindow(kMain));
    // The edit box's text was set while the window was built: no event for that.
    EXPECT_EQ(calledNames(), (std::vector<std::string>{"created", "moved", "sized"}));
    rt::LoadedWindow* window = runtime.loadedWindow(kMain);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("主窗口"));
    EXPECT_EQ(qobject_cast<QLabel*>(widgetOf(kLabel))->text(), QStringLiteral("行数："));
    EXPECT_EQ(widgetOf(kButton)->geometry(), QRect(100, 10, 60, 24));
    EXPECT_FALSE(widgetOf(kCheck)->isEnabled());
    EXPECT_TRUE(widgetOf(kSecondCheck)->isHidden());
}

TEST_F(WindowRuntimeTest, LoadingAgainActivatesAndMakesNothingNew) {
    ASSERT_TRUE(runtime.loadWindow(kMain));
    rt::LoadedWindow* first = runtime.loadedWindow(kMain);
    routineCalls().clear();
    EXPECT_TRUE(runtime.loadWindow(kMain));
    EXPECT_EQ(runtime.loadedWindow(kMain), first);
    EXPECT_TRUE(routineCalls().empty());
    EXPECT_FALSE(runtime.loadWindow(0x52019999));
    EXPECT_FALSE(runtime.loadWindow(kDialog, 0x52019999, false));
}

TEST_F(WindowRuntimeTest, EventsReachRoutinesWithTheirSource) {
    ASSERT_TRUE(runtime.loadWindow(kMain));
    routineCalls().clear();
    QTest::mouseClick(widgetOf(kButton), Qt::LeftButton);
    ASSERT_EQ(calledNames(), std::vector<std::string>{"clicked"});
    EXPECT_EQ(routineCalls()[0].source, (rt::UnitRef{kMain, kButton, rt::unit_kind::Button}));
    EXPECT_EQ(runtime.currentEventSource(), rt::UnitRef{});

    routineCalls().clear();
    QTest::mouseClick(widgetOf(kLabel), Qt::LeftButton, Qt::ShiftModifier, QPoint(7, 8));
    ASSERT_EQ(calledNames(), std::vector<std::string>{"answer"});
    EXPECT_EQ(routineCalls()[0].arguments, (std::vector<int32_t>{7, 8, 2}));
}

TEST_F(WindowRuntimeTest, ReturnedFalseKeepsTheWindowOpen) {
    ASSERT_TRUE(runtime.loadWindow(kMain));
    nextAnswer() = 0;
    runtime.loadedWindow(kMain)->close();
    EXPECT_NE(runtime.loadedWindow(kMain), nullptr);

    nextAnswer().reset();
    routineCalls().clear();
    runtime.loadedWindow(kMain)->close();
    EXPECT_EQ(runtime.loadedWindow(kMain), nullptr);
    EXPECT_EQ(calledNames(), (std::vector<std::string>{"answer", "destroyed"}));
}

TEST_F(WindowRuntimeTest, CharacterEventCanSwallowOrReplace) {
    ASSERT_TRUE(runtime.loadWindow(kMain));
    auto* edit = qobject_cast<QLineEdit*>(widgetOf(kEdit));
    ASSERT_NE(edit, nullptr);
    edit->clear();
    nextAnswer() = 0;
    QTest::keyClicks(edit, QStringLiteral("x"));
    EXPECT_EQ(edit->text(), QString());
    nextAnswer() = 'B';
    QTest::keyClicks(edit, QStringLiteral("x"));
    EXPECT_EQ(edit->text(), QStringLiteral("B"));
    nextAnswer().reset();
    QTest::keyClicks(edit, QStringLiteral("y"));
    EXPECT_EQ(edit->text(), QStringLiteral("By"));
}

TEST_F(WindowRuntimeTest, CommonPropertiesLiveAndStored) {
    // Not loaded: the template's values.
    EXPECT_EQ(integerProperty(kButton, 0), 100);
    EXPECT_EQ(integerProperty(kButton, 3), 24);
    EXPECT_EQ(textProperty(kLabel, 4), "标记");
    EXPECT_EQ(integerProperty(kCheck, 6), 1);
    EXPECT_EQ(integerProperty(kSecondCheck, 5), 0);

    ASSERT_TRUE(runtime.loadWindow(kMain));
    runtime.writeProperty(kMain, kButton, 0, Value::integer(120));
    runtime.writeProperty(kMain, kButton, 3, Value::integer(30));
    EXPECT_EQ(widgetOf(kButton)->geometry(), QRect(120, 10, 60, 30));
    runtime.writeProperty(kMain, kSecondCheck, 5, Value::logical(true));
    EXPECT_FALSE(widgetOf(kSecondCheck)->isHidden());
    EXPECT_TRUE(runtime.readProperty(kMain, kSecondCheck, 5).low);
    runtime.writeProperty(kMain, kLabel, 4, Value::text("新标记"));
    EXPECT_EQ(textProperty(kLabel, 4), "新标记");

    // Own properties from index 8.
    runtime.writeProperty(kMain, kCheck, rt::kFirstOwnProperty + rt::check_property::Checked, Value::logical(true));
    EXPECT_TRUE(qobject_cast<QCheckBox*>(widgetOf(kCheck))->isChecked());
    EXPECT_EQ(textProperty(0, rt::kFirstOwnProperty + rt::window_property::Caption), "主窗口");
}

TEST_F(WindowRuntimeTest, MenuCaptionsKeysAndCommandIds) {
    ASSERT_TRUE(runtime.loadWindow(kMain));
    QMenuBar* bar = runtime.loadedWindow(kMain)->menuBar();
    ASSERT_EQ(bar->actions().size(), 2);  // the hidden "弹出" is not on the bar
    EXPECT_EQ(bar->actions()[0]->text(), QStringLiteral(" 文件(&W) "));
    QList<QAction*> tableItems = bar->actions()[1]->menu()->actions();
    ASSERT_EQ(tableItems.size(), 2);
    EXPECT_EQ(tableItems[0]->text(), QStringLiteral("插入行或列…\tCtrl+E"));
    EXPECT_EQ(tableItems[1]->text(), QStringLiteral("插入列\tCtrl+E"));
    // The first item with a key receives it; the later one only shows it.
    EXPECT_EQ(tableItems[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    EXPECT_TRUE(tableItems[1]->shortcut().isEmpty());

    // Every record consumes an id, the hidden pop-up and its item too: "插入列" is 20007.
    routineCalls().clear();
    runtime.loadedWindow(kMain)->runMenuCommand(20007);
    runtime.loadedWindow(kMain)->runMenuCommand(20004);
    runtime.loadedWindow(kMain)->runMenuCommand(19999);
    runtime.loadedWindow(kMain)->runMenuCommand(20008);
    EXPECT_EQ(calledNames(), (std::vector<std::string>{"insertColumn", "copyItem"}));
}

TEST_F(WindowRuntimeTest, MenuItemPropertiesRebuildOnlyOnChange) {
    ASSERT_TRUE(runtime.loadWindow(kMain));
    QMenuBar* bar = runtime.loadedWindow(kMain)->menuBar();
    uint32_t newItem = 0x26010002;
    QAction* before = bar->actions()[0]->menu()->actions()[0];
    runtime.writeProperty(kMain, newItem, 0, Value::text("新建"));
    EXPECT_EQ(bar->actions()[0]->menu()->actions()[0], before);
    runtime.writeProperty(kMain, newItem, 2, Value::logical(true));
    QAction* after = bar->actions()[0]->menu()->actions()[0];
    EXPECT_NE(after, before);
    EXPECT_FALSE(after->isEnabled());
    EXPECT_TRUE(runtime.readProperty(kMain, newItem, 2).low);
    EXPECT_TRUE(runtime.readProperty(kMain, newItem, 3).low);
    EXPECT_EQ(rt::OwnedText(runtime.readProperty(kMain, newItem, 0)).str(), "新建");
}

TEST_F(WindowRuntimeTest, SharedBindingsAndTheirSource) {
    ASSERT_TRUE(runtime.loadWindow(kMain));
    widgetOf(kCheck)->setEnabled(true);
    runtime.shareEvents(kMain, kSecondCheck, kCheck);
    widgetOf(kSecondCheck)->show();
    routineCalls().clear();
    QTest::mouseClick(widgetOf(kSecondCheck), Qt::LeftButton);
    ASSERT_EQ(calledNames(), std::vector<std::string>{"checkClicked"});
    EXPECT_EQ(routineCalls()[0].source.unitId, kSecondCheck);
}

TEST_F(WindowRuntimeTest, ModalWindowDisablesTheOthersUntilItCloses) {
    ASSERT_TRUE(runtime.loadWindow(kMain));
    for (bool enabledBefore : {true, false}) {
        runtime.loadedWindow(kMain)->setEnabled(enabledBefore);
        bool mainEnabledMeanwhile = true;
        whenShown(kDialog, [&] {
            mainEnabledMeanwhile = runtime.loadedWindow(kMain)->isEnabled();
            runtime.loadedWindow(kDialog)->close();
        });
        ASSERT_TRUE(runtime.loadWindow(kDialog, 0, true));  // returns once the dialog is gone
        EXPECT_FALSE(mainEnabledMeanwhile);
        EXPECT_EQ(runtime.loadedWindow(kMain)->isEnabled(), enabledBefore);
        EXPECT_EQ(runtime.loadedWindow(kDialog), nullptr);
    }
}

}  // namespace
