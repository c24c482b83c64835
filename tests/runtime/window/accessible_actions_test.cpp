// What assistive technology does to the units of a loaded window: its actions must
// run the same handlers as the mouse, once per action, and never for a change the
// program makes itself.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAbstractButton>
#include <QComboBox>
#include <QTest>
#include <functional>

#include "runtime/window/loaded_window.h"
#include "runtime/window/unit_properties.h"
#include "tests/runtime/window/test_windows.h"

namespace {

constexpr uint32_t kDialog = 0x52010001;
constexpr uint32_t kBold = 0x16010001;
constexpr uint32_t kAscending = 0x16010003;
constexpr uint32_t kDescending = 0x16010004;
constexpr uint32_t kFontName = 0x16010005;
constexpr uint32_t kConfirm = 0x16010006;
constexpr uint32_t kLink = 0x16010007;

constexpr const char8_t* kWindows = u8R"(
window Dialog 0x52010001 0x06010000
    caption "单元格属性"
    rect 10 20 300 200
    frame 2
unit CheckBox "选择框1" 0x16010001
    rect 10 10 80 16
    text "粗体"
    on clicked boldClicked
unit GroupBox "分组框1" 0x16010002
    rect 10 40 200 60
    text "次序"
unit RadioBox "单选框1" 0x16010003
    rect 8 16 60 16
    inside "分组框1"
    text "升序"
    checked 1
    on clicked orderClicked
unit RadioBox "单选框2" 0x16010004
    rect 8 36 60 16
    inside "分组框1"
    text "降序"
    on clicked orderClicked
unit ComboBox "组合框1" 0x16010005
    rect 10 110 120 20
    item "宋体"
    item "黑体"
    item "楷体_GB2312"
    on selected fontSelected
unit Button "按钮1" 0x16010006
    rect 200 150 60 24
    text "确定"
    on clicked confirmClicked
unit HyperLinker "超级链接框1" 0x16010007
    rect 10 150 80 16
    text "点击下载"
    target "https://example.org/lessons"
    on leftDown linkPressed
)";

class AccessibleActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        useInterfaceText(kWindows);
        ASSERT_TRUE(runtime.loadWindow(kDialog));
        routineCalls().clear();
    }
    void TearDown() override { destroyLoadedWindows(); }

    QWidget* widgetOf(uint32_t unitId) const { return runtime.loadedUnit(kDialog, unitId)->widget(); }
    bool isChecked(uint32_t unitId) const { return qobject_cast<QAbstractButton*>(widgetOf(unitId))->isChecked(); }

    // The units raised events for, in order.
    std::vector<uint32_t> raisedUnits() const {
        std::vector<uint32_t> units;
        for (const RoutineCall& call : routineCalls()) units.push_back(call.source.unitId);
        return units;
    }

    rt::WindowRuntime& runtime = rt::WindowRuntime::instance();
};

void doAction(QWidget* widget, const QString& action) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    ASSERT_NE(face, nullptr);
    ASSERT_NE(face->actionInterface(), nullptr);
    ASSERT_TRUE(face->actionInterface()->actionNames().contains(action)) << action.toStdString();
    face->actionInterface()->doAction(action);
}

// Picks an item of a combo box's list as a screen reader does: it selects the item's
// cell in the list that the box offers as its child.
void selectListItem(QWidget* combo, int row) {
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(combo);
    ASSERT_NE(box, nullptr);
    QAccessibleInterface* list = nullptr;
    for (int i = 0; i < box->childCount() && !list; ++i) {
        if (box->child(i)->role() == QAccessible::List) list = box->child(i);
    }
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list->tableInterface(), nullptr);
    QAccessibleInterface* cell = list->tableInterface()->cellAt(row, 0);
    ASSERT_NE(cell, nullptr);
    ASSERT_NE(cell->actionInterface(), nullptr);
    cell->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

TEST_F(AccessibleActionsTest, EachActionRunsTheClickHandlerOnce) {
    struct Case {
        const char* what;
        std::function<void()> act;
        std::vector<uint32_t> raised;
        std::function<bool()> done;
    };
    const QString toggle = QAccessibleActionInterface::toggleAction();
    const Case cases[] = {
        {"tick the box", [&] { doAction(widgetOf(kBold), toggle); }, {kBold}, [&] { return isChecked(kBold); }},
        {"untick the box", [&] { doAction(widgetOf(kBold), toggle); }, {kBold}, [&] { return !isChecked(kBold); }},
        // The button that gives way raises nothing; the chosen one raises once.
        {"choose the other radio button", [&] { doAction(widgetOf(kDescending), toggle); }, {kDescending},
         [&] { return isChecked(kDescending) && !isChecked(kAscending); }},
        {"pick a list item", [&] { selectListItem(widgetOf(kFontName), 1); }, {kFontName},
         [&] { return qobject_cast<QComboBox*>(widgetOf(kFontName))->currentText() == QStringLiteral("黑体"); }},
        {"pick another list item", [&] { selectListItem(widgetOf(kFontName), 2); }, {kFontName},
         [&] { return qobject_cast<QComboBox*>(widgetOf(kFontName))->currentText() == QStringLiteral("楷体_GB2312"); }},
        {"press the button", [&] { doAction(widgetOf(kConfirm), QAccessibleActionInterface::pressAction()); },
         {kConfirm}, [] { return true; }},
        // A link's handler hears of a left-button press, from the reader as from the mouse.
        {"press the link", [&] { doAction(widgetOf(kLink), QAccessibleActionInterface::pressAction()); }, {kLink},
         [&] { return QAccessible::queryAccessibleInterface(widgetOf(kLink))->role() == QAccessible::Link; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        routineCalls().clear();
        c.act();
        // A press shows the button down for a moment before it clicks.
        QTest::qWait(250);
        EXPECT_EQ(raisedUnits(), c.raised);
        EXPECT_TRUE(c.done());
    }
}

TEST_F(AccessibleActionsTest, MouseAndKeysRaiseOnceAsBefore) {
    struct Case {
        const char* what;
        std::function<void()> act;
        std::vector<uint32_t> raised;
    };
    const Case cases[] = {
        {"click the box", [&] { QTest::mouseClick(widgetOf(kBold), Qt::LeftButton, {}, QPoint(5, 8)); }, {kBold}},
        {"space on the box", [&] { QTest::keyClick(widgetOf(kBold), Qt::Key_Space); }, {kBold}},
        {"enter on the link, which Tab reaches",
         [&] {
             EXPECT_TRUE(widgetOf(kLink)->focusPolicy() & Qt::TabFocus);
             QTest::keyClick(widgetOf(kLink), Qt::Key_Return);
         },
         {kLink}},
        {"click the unchosen radio button",
         [&] { QTest::mouseClick(widgetOf(kDescending), Qt::LeftButton, {}, QPoint(5, 8)); }, {kDescending}},
        // Nothing changes, but the person clicked: the handler hears of it.
        {"click the chosen radio button",
         [&] { QTest::mouseClick(widgetOf(kDescending), Qt::LeftButton, {}, QPoint(5, 8)); }, {kDescending}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        routineCalls().clear();
        c.act();
        EXPECT_EQ(raisedUnits(), c.raised);
    }
    EXPECT_FALSE(isChecked(kBold));
    EXPECT_TRUE(isChecked(kDescending));
}

TEST_F(AccessibleActionsTest, ChangesTheProgramMakesRaiseNothing) {
    runtime.writeProperty(kDialog, kBold, rt::kFirstOwnProperty + rt::check_property::Checked, rt::Value::logical(true));
    runtime.writeProperty(kDialog, kDescending, rt::kFirstOwnProperty + rt::check_property::Checked, rt::Value::logical(true));
    runtime.writeProperty(kDialog, kAscending, rt::kFirstOwnProperty + rt::check_property::Checked, rt::Value::logical(true));
    runtime.writeProperty(kDialog, kFontName, rt::kFirstOwnProperty + rt::combo_property::CurrentIndex, rt::Value::integer(2));
    qobject_cast<QComboBox*>(widgetOf(kFontName))->showPopup();
    qobject_cast<QComboBox*>(widgetOf(kFontName))->hidePopup();
    QTest::qWait(50);
    EXPECT_TRUE(routineCalls().empty());
    EXPECT_TRUE(isChecked(kBold));
    EXPECT_TRUE(isChecked(kAscending));
    EXPECT_FALSE(isChecked(kDescending));
}

}  // namespace
