// The application's windows as the compiled template segment makes them: captions,
// frames and sizes, the menus with their keys, and that every menu item, toolbar
// entry and dialog button reaches the routine it is bound to.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <map>

#include "app/application.h"
#include "app/routines/routine.h"
#include "app/routines/toolbar_routines.h"
#include "app/state/app_state.h"
#include "app/window_ids.h"
#include "runtime/value/file_name.h"
#include "runtime/window/loaded_window.h"
#include "runtime/window/unit.h"
#include "runtime/window/window_runtime.h"
#include "tests/app/modal_responder.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace app;

struct WindowExpectation {
    uint32_t id;
    uint32_t ownUnit;
    const char16_t* caption;
    int width;
    int height;
    int frame;
    size_t units;  // without menu items
};

const WindowExpectation kWindows[] = {
    {window_id::MainWindow, 0x06010000, u"电子表格", 735, 580, 1, 11},
    {window_id::InsertRowColDialog, 0x0601013A, u"插入行或列", 267, 91, 4, 8},
    {window_id::TablePropertiesDialog, 0x06011439, u"表格属性", 340, 252, 2, 19},
    {window_id::CellPropertiesDialog, 0x06011496, u"单元格属性", 289, 190, 2, 16},
    {window_id::InsertTimeDialog, 0x06011517, u"插入时间", 343, 61, 4, 4},
    {window_id::FilterDialog, 0x06011524, u"数据筛选", 380, 303, 2, 31},
    {window_id::ZoomDialog, 0x06011661, u"显示比例", 163, 236, 2, 13},
    {window_id::SqlQueryDialog, 0x06011787, u"输入表名或select类SQL查询语句：", 339, 128, 2, 6},
    {window_id::AboutDialog, 0x0601511C, u"关于", 388, 144, 2, 6},
    {window_id::PasteWithSymbolsDialog, 0x060151C2, u"加符号粘贴", 357, 274, 2, 20},
    {window_id::HelpDialog, 0x06019D8B, u"使用帮助", 348, 148, 2, 4},
    {window_id::DelimiterDialog, 0x0602D303, u"导出数据", 307, 196, 2, 10},
    {window_id::SheetChoiceDialog, 0x0602D400, u"选择工作表", 280, 160, 2, 5},
    {window_id::FindDialog, 0x0602D402, u"查找", 376, 172, 2, 11},
    {window_id::ReplaceDialog, 0x0602D404, u"替换", 376, 206, 2, 14},
    {window_id::SortDialog, 0x0602D406, u"排序", 330, 258, 2, 16},
};

class AppWindowsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initialiseRuntime(); }
    void SetUp() override {
        runtime.setRoutineObserver([this](int32_t routine, const rt::EventArguments& arguments) {
            // Only what the main window raised: the dialogs that commands open raise
            // their own created events.
            if (runtime.currentEventSource().windowId != window_id::MainWindow && onlyMainWindow) return;
            calls.emplace_back(runtime.routineNames().at(static_cast<size_t>(routine)), arguments[0]);
        });
    }
    void TearDown() override {
        runtime.setRoutineObserver(nullptr);
        for (const WindowExpectation& window : kWindows) runtime.destroyWindow(window.id);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::vector<std::string> calledNames() const {
        std::vector<std::string> names;
        for (const auto& call : calls) names.push_back(call.first);
        return names;
    }
    rt::LoadedWindow& loadMain() {
        EXPECT_TRUE(runtime.loadWindow(window_id::MainWindow));
        calls.clear();
        return *runtime.loadedWindow(window_id::MainWindow);
    }

    rt::WindowRuntime& runtime = rt::WindowRuntime::instance();
    std::vector<std::pair<std::string, int32_t>> calls;
    bool onlyMainWindow = true;
};

TEST_F(AppWindowsTest, EveryWindowLoadsFromTheSegmentInTemplateOrder) {
    const auto& windows = runtime.templates().windows;
    ASSERT_EQ(windows.size(), std::size(kWindows));
    for (size_t i = 0; i < windows.size(); ++i) {
        const WindowExpectation& expected = kWindows[i];
        const rt::WindowTemplate& window = windows[i];
        EXPECT_EQ(window.id, expected.id);
        EXPECT_EQ(window.units.front().id, expected.ownUnit);
        EXPECT_EQ(window.units.front().width, expected.width);
        EXPECT_EQ(window.units.front().height, expected.height);
        size_t units = std::count_if(window.units.begin(), window.units.end(),
                                     [](const rt::UnitTemplate& unit) { return !unit.isMenuItem(); });
        EXPECT_EQ(units, expected.units) << window.units.front().name;

        ASSERT_TRUE(runtime.loadWindow(expected.id, 0, false));
        rt::LoadedWindow* shown = runtime.loadedWindow(expected.id);
        ASSERT_NE(shown, nullptr);
        // The main window's start-up adds the document name to its caption.
        EXPECT_TRUE(shown->windowTitle().startsWith(QString::fromUtf16(expected.caption)));
        // Fixed frames cannot be resized by the user.
        bool fixed = expected.frame != 1;
        EXPECT_EQ(shown->minimumSize() == shown->maximumSize(), fixed) << window.units.front().name;
        // The dialogs read the main window's table when they are made, as they do in
        // the program, so the main window (the first) stays.
        if (expected.id != window_id::MainWindow) runtime.destroyWindow(expected.id);
    }
}

// The dialogs Qt draws itself use its own Chinese translations.
TEST_F(AppWindowsTest, QtsOwnDialogsSpeakChinese) {
    const std::pair<const char*, const char*> texts[] = {
        {"QFileDialog", "Look in:"}, {"QColorDialog", "&Basic colors"}, {"QFontDialog", "&Font"},
        {"QPlatformTheme", "Cancel"}};
    for (auto [context, english] : texts) {
        QString shown = QCoreApplication::translate(context, english);
        EXPECT_NE(shown, QString::fromLatin1(english)) << context;
        EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](QChar c) { return c.unicode() >= 0x4E00; }))
            << context << ": " << shown.toStdString();
    }
}

// A screen reader names each box after the label in front of it, also where one
// label holds the names of several boxes.
TEST_F(AppWindowsTest, BoxesCarryTheNamesOfTheirLabels) {
    loadMain();
    struct Case {
        uint32_t window;
        const char* unit;
        const char16_t* name;
    };
    const Case cases[] = {
        {window_id::TablePropertiesDialog, "编辑框1", u"行高："},
        {window_id::TablePropertiesDialog, "编辑框2", u"列宽："},
        {window_id::TablePropertiesDialog, "编辑框4", u"行数："},
        {window_id::TablePropertiesDialog, "编辑框3", u"列数："},
        {window_id::TablePropertiesDialog, "编辑框5", u"窗口宽："},
        {window_id::TablePropertiesDialog, "编辑框7", u"行高："},
        {window_id::TablePropertiesDialog, "编辑框8", u"列宽："},
        {window_id::CellPropertiesDialog, "编辑框1", u"字体大小："},
        {window_id::CellPropertiesDialog, "编辑框2", u"边距："},
        {window_id::CellPropertiesDialog, "组合框1", u"字体："},
        {window_id::InsertRowColDialog, "编辑框2", u"列数："},
    };
    for (const Case& c : cases) {
        if (!runtime.loadedWindow(c.window)) {
            ASSERT_TRUE(runtime.loadWindow(c.window, window_id::MainWindow, false));
        }
        rt::Unit* unit = runtime.loadedUnit(c.window, runtime.unitIdByName(c.window, c.unit));
        ASSERT_NE(unit, nullptr) << c.unit;
        EXPECT_EQ(unit->widget()->accessibleName(), QString::fromUtf16(c.name)) << c.unit;
        for (QLineEdit* edit : unit->widget()->findChildren<QLineEdit*>()) {
            EXPECT_EQ(edit->accessibleName(), QString::fromUtf16(c.name)) << c.unit;
        }
    }
}

TEST_F(AppWindowsTest, MainWindowUnitsAreOfTheirKindsAndPlaces) {
    const rt::WindowTemplate* main = runtime.templates().findWindow(window_id::MainWindow);
    ASSERT_NE(main, nullptr);
    struct UnitExpectation {
        const char* name;
        uint32_t kind;
        QRect rect;
    };
    const UnitExpectation units[] = {
        {"外部数据库1", rt::unit_kind::OdbcDb, {280, 192, 26, 26}},
        {"状态条1", rt::unit_kind::StatusBar, {0, 435, 729, 20}},
        {"超级菜单1", rt::unit_kind::SupperMenu, {296, 112, 26, 26}},
        {"通用对话框1", rt::unit_kind::CommonDlg, {456, 160, 40, 40}},
        {"通用提供者1", rt::unit_kind::NProvider, {376, 264, 26, 26}},
        {"工具条2", rt::unit_kind::ToolBar, {0, 28, 595, 28}},
        {"工具条1", rt::unit_kind::ToolBar, {0, 0, 490, 28}},
        {"外部数据提供者1", rt::unit_kind::OdbcProvider, {256, 296, 26, 26}},
        {"数据源1", rt::unit_kind::DataSrc, {152, 264, 132, 22}},
        {"主表格", rt::unit_kind::Grid, {0, 56, 728, 456}},
    };
    for (const UnitExpectation& expected : units) {
        const rt::UnitTemplate* unit = main->findUnitByName(expected.name);
        ASSERT_NE(unit, nullptr) << expected.name;
        EXPECT_EQ(unit->kind, expected.kind) << expected.name;
        EXPECT_EQ(QRect(unit->left, unit->top, unit->width, unit->height), expected.rect) << expected.name;
    }
    EXPECT_EQ(main->findUnitByName("主表格")->id, 0x16010003u);
    size_t menuItems = std::count_if(main->units.begin(), main->units.end(),
                                     [](const rt::UnitTemplate& unit) { return unit.isMenuItem(); });
    EXPECT_EQ(menuItems, 143u);
}

TEST_F(AppWindowsTest, MenuBarEntriesAndKeys) {
    rt::LoadedWindow& main = loadMain();
    QList<QAction*> entries = main.menuBar()->actions();
    QStringList captions;
    for (QAction* entry : entries) captions << entry->text();
    EXPECT_EQ(captions, (QStringList{QStringLiteral(" 文件(&W) "), QStringLiteral(" 编辑(&E) "),
                                     QStringLiteral(" 表格(&B) "), QStringLiteral(" 格式(&S) "),
                                     QStringLiteral("统计(&J) "), QStringLiteral(" 工具(&G) "),
                                     QStringLiteral(" 帮助(&H) ")}));
    QList<QAction*> table = entries[2]->menu()->actions();
    EXPECT_EQ(table[0]->text(), QStringLiteral("插入行或列…\tCtrl+E"));
    EXPECT_EQ(table[2]->text(), QStringLiteral("插入列\tCtrl+E"));
    EXPECT_EQ(table[4]->text(), QStringLiteral("删除列\tCtrl+F"));
    EXPECT_TRUE(table[9]->isSeparator());
    EXPECT_EQ(table[10]->text(), QStringLiteral("排序…\tF8"));
    QList<QAction*> edit = entries[1]->menu()->actions();
    EXPECT_TRUE(edit[13]->isSeparator());
    EXPECT_EQ(edit[14]->text(), QStringLiteral("查找…\tF6"));
    EXPECT_EQ(edit[15]->text(), QStringLiteral("替换…\tF7"));
    EXPECT_FALSE(edit[0]->isEnabled());  // 撤销
    EXPECT_FALSE(edit[1]->isEnabled());  // 重复
}

void closeDialogsAsTheyOpen(QObject* owner);

TEST_F(AppWindowsTest, SharedKeysReachTheEarlierItem) {
    rt::LoadedWindow& main = loadMain();
    QObject guard;
    closeDialogsAsTheyOpen(&guard);
    main.show();
    main.activateWindow();
    QApplication::setActiveWindow(&main);
    const std::pair<QKeySequence, const char*> keys[] = {
        {QKeySequence(QStringLiteral("Ctrl+E")), "openInsertRowCol"},
        {QKeySequence(QStringLiteral("Ctrl+F")), "splitSelection"},
        {QKeySequence(QStringLiteral("Ctrl+B")), "saveTableFromMenu"},
        {QKeySequence(QStringLiteral("F1")), "sumSelection"},
        {QKeySequence(QStringLiteral("Ctrl+F5")), "divideSelection"},
        {QKeySequence(QStringLiteral("F6")), "openFind"},
        {QKeySequence(QStringLiteral("F7")), "openReplace"},
        {QKeySequence(QStringLiteral("F8")), "openSort"},
    };
    for (const auto& [key, routine] : keys) {
        // A dialog a command opened and closed may have taken the activation away.
        QApplication::setActiveWindow(&main);
        calls.clear();
        QTest::keySequence(&main, key);
        EXPECT_EQ(calledNames(), std::vector<std::string>{routine}) << key.toString().toStdString();
        for (uint32_t dialog : {window_id::InsertRowColDialog, window_id::FindDialog, window_id::ReplaceDialog}) {
            runtime.destroyWindow(dialog);
        }
    }
}

// Closes every window but the main one as soon as it appears, and every file dialog
// and message box, so that commands which open a modal dialog come back.
void closeDialogsAsTheyOpen(QObject* owner) {
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
        for (const WindowExpectation& window : kWindows) {
            if (window.id != window_id::MainWindow) rt::WindowRuntime::instance().destroyWindow(window.id);
        }
    });
    timer->start(1);
}

void collectActions(QMenu* menu, std::vector<QAction*>& actions) {
    for (QAction* action : menu->actions()) {
        if (action->menu()) {
            collectActions(action->menu(), actions);
        } else if (!action->isSeparator()) {
            actions.push_back(action);
        }
    }
}

TEST_F(AppWindowsTest, EveryMenuItemReachesItsRoutine) {
    rt::LoadedWindow& main = loadMain();
    QObject guard;
    closeDialogsAsTheyOpen(&guard);
    // The tools menu starts real programs: with nothing on the path, none starts on a
    // developer's desktop, and the message that says so is closed like any dialog.
    TempDir emptyPath;
    std::string savedPath = std::getenv("PATH");
    setenv("PATH", emptyPath.path().c_str(), 1);
    // Commands that enable or disable an item (Undo, Redo) build the menu bar anew,
    // so the items are looked up again before each one is chosen.
    auto menuActions = [&main] {
        std::vector<QAction*> actions;
        for (QAction* entry : main.menuBar()->actions()) collectActions(entry->menu(), actions);
        return actions;
    };
    const size_t count = menuActions().size();
    EXPECT_EQ(count, 97u);  // the main menu's items that run something
    std::vector<std::string> expected;
    for (size_t index = 0; index < count; ++index) {
        QAction* action = menuActions().at(index);
        action->setEnabled(true);
        action->trigger();
    }
    const rt::WindowTemplate* segmentMain = runtime.templates().findWindow(window_id::MainWindow);
    for (const rt::UnitTemplate& unit : segmentMain->units) {
        if (!unit.isMenuItem()) continue;
        // The hidden pop-up and its items come last and are not on the menu bar.
        if (unit.menu.level == 0 && (unit.menu.stateFlags & rt::menu_state::Hidden)) break;
        if (unit.menu.handler >= 0) expected.push_back(runtime.routineNames()[static_cast<size_t>(unit.menu.handler)]);
    }
    // A new table resizes the window, which lays it out again through its own routine.
    setenv("PATH", savedPath.c_str(), 1);
    std::vector<std::string> chosen = calledNames();
    std::erase(chosen, "layoutMainWindow");
    EXPECT_EQ(chosen, expected);

    // The hidden pop-up shows under the grid with its own items.
    calls.clear();
    runtime.popUpMenu(window_id::MainWindow, 0x2601007B, QPoint(10, 10));
    auto* popUp = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popUp, nullptr);
    std::vector<QAction*> popUpActions;
    collectActions(popUp, popUpActions);
    ASSERT_EQ(popUpActions.size(), 18u);
    popUpActions.front()->trigger();
    popUpActions.back()->trigger();
    EXPECT_EQ(calledNames(), (std::vector<std::string>{"popupCopy", "popupEvaluateFormulas"}));
    popUp->close();
}

TEST_F(AppWindowsTest, ToolbarEntriesRunTheirJobs) {
    const std::map<int32_t, ToolBarJob> mainJobs = {
        {0, routines::openTableFromMenu}, {1, routines::newTableFromMenu}, {2, routines::saveTableFromMenu},
        {3, routines::saveTableAsFromMenu}, {5, routines::copyCells},       {6, routines::cutCells},
        {7, routines::pasteCells},          {9, routines::insertPicture},   {10, routines::openInsertTime},
        {12, routines::sumSelection},       {13, routines::openFilter},     {14, routines::openZoom},
        {16, routines::printSetup},         {17, routines::printPreview},   {18, routines::printTable},
    };
    for (int32_t entry = 0; entry < 19; ++entry) {
        auto found = mainJobs.find(entry);
        EXPECT_EQ(mainToolBarJob(entry), found == mainJobs.end() ? nullptr : found->second) << entry;
    }
    for (int32_t entry : {6, 7, 12, 16, 17, 18, 21}) EXPECT_EQ(formatToolBarJob(entry), nullptr) << entry;
    EXPECT_EQ(formatToolBarJob(3), routines::openInsertRowCol);
    EXPECT_EQ(formatToolBarJob(13), routines::openCellProperties);
    EXPECT_EQ(formatToolBarJob(11), routines::splitSelection);
    EXPECT_EQ(mainToolBarDropDownMenu(9), 20055);
    EXPECT_EQ(formatToolBarDropDownMenu(7), 20061);
    EXPECT_EQ(formatToolBarDropDownMenu(16), 20094);
    EXPECT_EQ(formatToolBarDropDownMenu(17), 20071);
    EXPECT_EQ(formatToolBarDropDownMenu(8), 0);

    // A click on an entry reaches the toolbar's routine with the entry index,
    // separators counted.
    rt::LoadedWindow& main = loadMain();
    QObject guard;
    closeDialogsAsTheyOpen(&guard);
    auto* toolbar = qobject_cast<QToolBar*>(runtime.loadedUnit(window_id::MainWindow, main_unit::MainToolBar)->widget());
    ASSERT_NE(toolbar, nullptr);
    QList<QToolButton*> buttons = toolbar->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly);
    std::vector<int32_t> entries;
    for (QToolButton* button : buttons) {
        if (button->objectName() == QStringLiteral("qt_toolbar_ext_button")) continue;
        calls.clear();
        button->click();
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.front().first, "mainToolBarClicked");
        entries.push_back(calls.front().second);
    }
    EXPECT_EQ(entries, (std::vector<int32_t>{0, 1, 2, 3, 5, 6, 7, 9, 10, 12, 13, 14, 16, 17, 18}));
    (void)main;
}

TEST_F(AppWindowsTest, DropDownArrowsPopUpTheirSubMenus) {
    loadMain();
    auto buttonsOf = [&](uint32_t toolbarUnit) {
        auto* toolbar = qobject_cast<QToolBar*>(runtime.loadedUnit(window_id::MainWindow, toolbarUnit)->widget());
        QList<QToolButton*> buttons;
        for (QToolButton* button : toolbar->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
            if (button->objectName() != QStringLiteral("qt_toolbar_ext_button")) buttons.append(button);
        }
        return buttons;
    };
    struct DropDown {
        uint32_t toolbar;
        int button;  // among the buttons, separators not counted
        int32_t entry;
        const char* routine;
        int items;
    };
    const DropDown dropDowns[] = {
        {main_unit::MainToolBar, 7, 9, "mainToolBarDropDown", 5},     // 图片显示
        {main_unit::FormatToolBar, 6, 7, "formatToolBarDropDown", 9},  // 对齐
        {main_unit::FormatToolBar, 14, 16, "formatToolBarDropDown", 9},  // 输入方式
        {main_unit::FormatToolBar, 15, 17, "formatToolBarDropDown", 12},  // 加线条: 10 and two separators
    };
    for (const DropDown& dropDown : dropDowns) {
        QToolButton* button = buttonsOf(dropDown.toolbar).at(dropDown.button);
        calls.clear();
        // The arrow is the right end of the button; the button itself is not pressed.
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() - 3, button->height() / 2));
        ASSERT_EQ(calledNames(), std::vector<std::string>{dropDown.routine}) << dropDown.entry;
        EXPECT_EQ(calls.front().second, dropDown.entry);
        auto* popUp = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(popUp, nullptr) << dropDown.entry;
        EXPECT_EQ(popUp->actions().size(), dropDown.items) << dropDown.entry;
        popUp->close();
    }
}

TEST_F(AppWindowsTest, DialogButtonsReachTheirRoutines) {
    struct ButtonExpectation {
        uint32_t window;
        const char16_t* caption;
        const char* routine;
    };
    const ButtonExpectation buttons[] = {
        {window_id::InsertRowColDialog, u"确定", "insertRowColConfirm"},
        {window_id::InsertRowColDialog, u"取消", "insertRowColCancel"},
        {window_id::TablePropertiesDialog, u"确定", "tablePropertiesConfirm"},
        {window_id::TablePropertiesDialog, u"取消", "tablePropertiesCancel"},
        {window_id::CellPropertiesDialog, u"关闭", "cellPropertiesClose"},
        {window_id::InsertTimeDialog, u"确定", "insertTimeConfirm"},
        {window_id::FilterDialog, u"开始筛选", "startFilter"},
        {window_id::FilterDialog, u"撤销筛选", "undoFilter"},
        {window_id::ZoomDialog, u"确定", "zoomConfirm"},
        {window_id::ZoomDialog, u"取消", "zoomCancel"},
        {window_id::SqlQueryDialog, u"确定", "sqlQueryConfirm"},
        {window_id::SqlQueryDialog, u"取消", "sqlQueryCancel"},
        {window_id::SqlQueryDialog, u"获取表名", "fetchTableNames"},
        {window_id::AboutDialog, u"确定", "aboutClose"},
        {window_id::PasteWithSymbolsDialog, u"粘贴", "pasteWithSymbolsConfirm"},
        {window_id::PasteWithSymbolsDialog, u"取消", "pasteWithSymbolsCancel"},
        {window_id::HelpDialog, u"关闭", "helpClose"},
        {window_id::DelimiterDialog, u"确定", "delimiterConfirm"},
        {window_id::DelimiterDialog, u"取消", "delimiterCancel"},
    };
    // The buttons work on the main window's table and write their settings into a
    // file of this test's own.
    loadMain();
    TempDir folder;
    appState().settingsPath = rt::textFromPath(folder.path() / "biaoge.ini");
    onlyMainWindow = false;
    // Buttons that go on to ask for a file find their file dialog cancelled.
    ModalResponder responder;
    for (const ButtonExpectation& expected : buttons) {
        ASSERT_TRUE(runtime.loadWindow(expected.window, 0, false));
        QPushButton* button = nullptr;
        for (QPushButton* candidate : runtime.loadedWindow(expected.window)->findChildren<QPushButton*>()) {
            if (candidate->text() == QString::fromUtf16(expected.caption)) button = candidate;
        }
        ASSERT_NE(button, nullptr) << expected.routine;
        calls.clear();
        button->click();
        EXPECT_EQ(calledNames(), std::vector<std::string>{expected.routine});
        runtime.destroyWindow(expected.window);
    }
}

}  // namespace
