// Where the keyboard focus is as a person works: in the grid when the main window
// opens, after a table is opened or made, and back where it was whenever a dialog or
// a box is gone, so that typing goes into the current cell without a click first.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <functional>

#include "app/application.h"
#include "app/document/document_commands.h"
#include "app/routines/routine.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "app/units/file_dialog_ref.h"
#include "app/window_ids.h"
#include "runtime/platform/settings_location.h"
#include "runtime/value/file_name.h"
#include "runtime/value/program_location.h"
#include "runtime/window/input_box.h"
#include "runtime/window/loaded_window.h"
#include "runtime/window/message_box.h"
#include "runtime/window/window_runtime.h"
#include "tests/app/main_window_start.h"
#include "tests/app/modal_responder.h"
#include "tests/app/user_directories.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace app;

class KeyboardFocusTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initialiseRuntime(); }
    void SetUp() override {
        std::error_code ignored;
        fs::remove_all(isolatedUserDirectories() / "config", ignored);
        fs::remove_all(isolatedUserDirectories() / "data", ignored);
        fs::remove(settingsPath(), ignored);
        fs::remove(iconPath(), ignored);
        ASSERT_TRUE(startMainWindow());
        settle();
    }
    void TearDown() override {
        closeMainWindow({window_id::AboutDialog, window_id::HelpDialog});
        std::error_code ignored;
        fs::remove(settingsPath(), ignored);
        fs::remove(iconPath(), ignored);
    }

    static fs::path settingsPath() { return rt::settingsFilePath(rt::programDirectory()); }
    static fs::path iconPath() { return fs::path(rt::programDirectory()) / "rxqo.iso"; }

    // Lets the activation the desktop hands out, and the focus that follows it, arrive.
    static void settle() {
        for (int round = 0; round < 5; ++round)
            QApplication::processEvents();
    }
    QWidget* grid() const {
        return runtime.loadedUnit(window_id::MainWindow, main_unit::Grid)->widget();
    }
    rt::LoadedWindow* mainWindow() const { return runtime.loadedWindow(window_id::MainWindow); }
    // A toolbar button can hold the focus too: where it goes when a person tabs away.
    void moveFocusAway() {
        for (QToolButton* button : mainWindow()->findChildren<QToolButton*>()) {
            if (button->isVisible() && button->isEnabled()) {
                button->setFocus(Qt::TabFocusReason);
                break;
            }
        }
        settle();
        ASSERT_NE(QApplication::focusWidget(), grid());
    }

    rt::WindowRuntime& runtime = rt::WindowRuntime::instance();
    TempDir folder;
};

// Answers the next modal dialog with `answer` once it is up.
void whenModal(std::function<void(QWidget*)> answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        answer(modal);
    });
    poll->start(1);
}

TEST_F(KeyboardFocusTest, TypingIntoTheNewMainWindowFillsTheCurrentCell) {
    EXPECT_EQ(QApplication::activeWindow(), mainWindow());
    ASSERT_EQ(QApplication::focusWidget(), grid());
    // Keys go wherever the focus is, as a person's keys do.
    QTest::keyClick(QApplication::focusWidget(), '4');
    ASSERT_NE(QApplication::focusWidget(), grid()) << "the first key opens the cell's editor";
    QTest::keyClick(QApplication::focusWidget(), '2');
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(mainDataSource().cellText(1, 1), "42");
    EXPECT_EQ(QApplication::focusWidget(), grid());
}

TEST_F(KeyboardFocusTest, TheFocusComesBackWhenADialogOrABoxIsGone) {
    const std::pair<const char*, std::function<void()>> dialogs[] = {
        {"message box",
         [] {
             whenModal(
                 [](QWidget* box) { qobject_cast<QMessageBox*>(box)->buttons().front()->click(); });
             rt::showMessageBox("找不到备份文件！", rt::message_box::Ok, "错误：");
         }},
        {"message box left by Escape",
         [] {
             whenModal([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
             rt::showMessageBox("当前表格已被改过，是否保存？", rt::message_box::YesNo, "询问：");
         }},
        {"input box",
         [] {
             whenModal([](QWidget* box) { qobject_cast<QDialog*>(box)->reject(); });
             rt::showInputBox("请输入要加上的数值：", "", "", rt::InputMode::Decimal);
         }},
        {"file dialog",
         [] {
             whenModal([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); });
             chooseFile("打开表格", FileDialogType::Open, kTableFilter);
         }},
        // A modal window disables the main window while it is up, which takes the
        // focus out of the grid.
        {"modal window",
         [this] {
             QTimer::singleShot(20,
                                [this] { runtime.loadedWindow(window_id::AboutDialog)->close(); });
             ASSERT_TRUE(runtime.loadWindow(window_id::AboutDialog, 0, true));
         }},
        {"window beside the main window",
         [this] {
             ASSERT_TRUE(runtime.loadWindow(window_id::HelpDialog, window_id::MainWindow, false));
             settle();
             ASSERT_EQ(QApplication::activeWindow(), runtime.loadedWindow(window_id::HelpDialog));
             runtime.loadedWindow(window_id::HelpDialog)->close();
         }},
    };
    for (const auto& [what, openAndClose] : dialogs) {
        ASSERT_EQ(QApplication::focusWidget(), grid()) << what;
        openAndClose();
        settle();
        EXPECT_EQ(QApplication::activeWindow(), mainWindow()) << what;
        EXPECT_EQ(QApplication::focusWidget(), grid()) << what;
        // Put right for the next case, whatever happened here.
        mainWindow()->activateWindow();
        grid()->setFocus();
        settle();
    }
}

// The widget that had the focus gets it back, not the grid by rule.
TEST_F(KeyboardFocusTest, ABoxGivesTheFocusBackToTheWidgetThatHadIt) {
    moveFocusAway();
    QWidget* before = QApplication::focusWidget();
    whenModal([](QWidget* box) { qobject_cast<QMessageBox*>(box)->buttons().front()->click(); });
    rt::showMessageBox("找不到备份文件！", rt::message_box::Ok, "错误：");
    settle();
    EXPECT_EQ(QApplication::focusWidget(), before);
}

// The cell editor had the focus, and closed with what was typed when the box took
// it: the grid, which held the editor, gets the focus.
TEST_F(KeyboardFocusTest, AfterABoxOverAnOpenEditorTheGridHasTheFocus) {
    QTest::keyClick(QApplication::focusWidget(), '7');
    QWidget* editor = QApplication::focusWidget();
    ASSERT_TRUE(grid()->isAncestorOf(editor));
    whenModal([](QWidget* box) { qobject_cast<QMessageBox*>(box)->buttons().front()->click(); });
    rt::showMessageBox("找不到备份文件！", rt::message_box::Ok, "错误：");
    settle();
    EXPECT_EQ(QApplication::focusWidget(), grid());
    EXPECT_EQ(mainDataSource().cellText(1, 1), "7");
}

TEST_F(KeyboardFocusTest, ATableOpenedOrMadeHasTheFocus) {
    DataSourceRef table = mainDataSource();
    table.setCellText(1, 1, "模板");
    const std::string templatePath = rt::textFromPath(folder.path() / "form.mob");
    ASSERT_TRUE(table.saveToFile(templatePath));
    const std::string tablePath = rt::textFromPath(folder.path() / "table.bge");
    ASSERT_TRUE(table.saveToFile(tablePath));
    appState().modified = 0;

    const std::pair<const char*, std::function<void()>> commands[] = {
        {"New", [] { routines::newTableFromMenu({}); }},
        {"Open", [&] { ASSERT_TRUE(openTableFile(tablePath)); }},
        {"Open template",
         [&] {
             ModalResponder responder;
             responder.chooseFile(rt::pathFromText(templatePath));
             openTemplate();
             EXPECT_TRUE(responder.allAnswered());
         }},
        {"Restore backup", [] { restoreBackup(); }},
    };
    for (const auto& [what, command] : commands) {
        moveFocusAway();
        command();
        settle();
        EXPECT_EQ(QApplication::focusWidget(), grid()) << what;
        appState().modified = 0;
    }
    EXPECT_EQ(table.cellText(1, 1), "模板") << "the backup of the opened table was restored last";
}

}  // namespace
