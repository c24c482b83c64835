// The start-up sequence and the file menu's commands, driven through their handlers
// with the boxes and dialogs they open answered as a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <fstream>

#include "app/application.h"
#include "app/document/document_commands.h"
#include "app/document/foreign_files.h"
#include "app/document/title_texts.h"
#include "app/routines/routine.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "app/units/main_menu_items.h"
#include "app/window_ids.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/platform/registry_store.h"
#include "runtime/platform/settings_location.h"
#include "runtime/value/file_name.h"
#include "runtime/value/program_location.h"
#include "runtime/window/loaded_window.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"
#include "runtime/window/window_runtime.h"
#include "tests/app/main_window_start.h"
#include "tests/app/modal_responder.h"
#include "tests/app/user_directories.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace app;

constexpr int32_t kCaption = rt::kFirstOwnProperty + rt::window_property::Caption;
const char16_t* const kYes = u"是(&Y)";
const char16_t* const kNo = u"否(&N)";
const char16_t* const kCancel = u"取消";
const char16_t* const kOk = u"确定";

QString qt(std::string_view gbk) { return rt::fromGbk(gbk); }

class DocumentCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initialiseRuntime(); }
    void SetUp() override {
        std::error_code ignored;
        fs::remove_all(isolatedUserDirectories() / "config", ignored);
        fs::remove_all(isolatedUserDirectories() / "data", ignored);
        fs::remove(settingsPath(), ignored);
        fs::remove(iconPath(), ignored);
        startWith({});
    }
    void TearDown() override {
        close();
        std::error_code ignored;
        fs::remove(settingsPath(), ignored);
        fs::remove(iconPath(), ignored);
    }

    static fs::path settingsPath() { return rt::settingsFilePath(rt::programDirectory()); }
    static fs::path iconPath() { return fs::path(rt::programDirectory()) / "rxqo.iso"; }

    void startWith(const std::vector<std::string>& arguments) {
        close();
        ASSERT_TRUE(startMainWindow(arguments));
    }
    void close() { closeMainWindow(); }
    bool isOpen() const { return rt::WindowRuntime::instance().loadedWindow(window_id::MainWindow) != nullptr; }

    static std::string caption() { return rt::UnitAccess(window_id::MainWindow, 0).text(kCaption); }
    static void typeIntoCell(int32_t row, int32_t column, std::string_view text) {
        mainDataSource().setCellText(row, column, text);
        routines::recordSnapshot({});
    }
    // A table file holding one text, written through the editor's own data source.
    std::string makeTable(const std::string& name, std::string_view text) {
        std::string path = rt::textFromPath(folder.path() / rt::pathFromText(name));
        std::string before = mainDataSource().cellText(1, 1);
        mainDataSource().setCellText(1, 1, text);
        EXPECT_TRUE(mainDataSource().saveToFile(path));
        mainDataSource().setCellText(1, 1, before);
        return path;
    }

    TempDir folder;
};

TEST_F(DocumentCommandsTest, FirstStartWithoutSettingsUsesTheNewTableDefaults) {
    DataSourceRef table = mainDataSource();
    EXPECT_EQ(table.rowCount(), 30);
    EXPECT_EQ(table.columnCount(), 8);
    for (int32_t column : {1, 8}) EXPECT_EQ(table.columnWidth(column), 250);
    for (int32_t row : {1, 30}) EXPECT_EQ(table.rowHeight(row), 65);
    // Offscreen the frame appears only once the window is shown, after the size was
    // set, so the size given is the window's own.
    QWidget* window = rt::WindowRuntime::instance().loadedWindow(window_id::MainWindow);
    EXPECT_EQ(window->size(), QSize(800, 600));
    EXPECT_EQ(caption(), applicationTitle() + "——表格1    " + startUpCaptionText());
    EXPECT_EQ(qt(caption()), QStringLiteral("电子表格——表格1    欢迎使用"));
    const AppState& state = appState();
    EXPECT_EQ(state.modified, 0);
    EXPECT_TRUE(state.currentFilePath.empty());
    EXPECT_EQ(state.undoHistory.size(), 1u);
    EXPECT_EQ(state.undoPosition, 1);
    EXPECT_EQ(state.settingsPath, rt::textFromPath(settingsPath()));
}

TEST_F(DocumentCommandsTest, SettingsFileDecidesTheSizeOfEveryNewTable) {
    std::ofstream(settingsPath()) << rt::toGbk(QStringLiteral("[表格]\n行数=5\n列数=３\n列宽=300.9\n行高=abc\n"));
    routines::newTableFromMenu({});
    DataSourceRef table = mainDataSource();
    EXPECT_EQ(table.rowCount(), 5);
    EXPECT_EQ(table.columnCount(), 3);
    EXPECT_EQ(table.columnWidth(3), 300);
    EXPECT_EQ(table.rowHeight(5), 0);
}

TEST_F(DocumentCommandsTest, QuotedArgumentOpensTheFileAndWritesItsBackup) {
    std::string path = makeTable("report.v2.bge", "第一格");
    startWith({"\"" + rt::pathFromText(path).string() + "\""});
    EXPECT_EQ(mainDataSource().cellText(1, 1), "第一格");
    EXPECT_EQ(caption(), applicationTitle() + "——report.v2.bge");
    EXPECT_EQ(appState().currentFilePath, path);
    fs::path backup = folder.path() / rt::pathFromText("report.v2.bfe");
    ASSERT_TRUE(fs::exists(backup));
    EXPECT_EQ(readWholeFile(backup.string()), readWholeFile(rt::pathFromText(path).string()));
}

TEST_F(DocumentCommandsTest, MissingArgumentFileIsIgnored) {
    startWith({(folder.path() / "nothing.bge").string()});
    EXPECT_EQ(appState().documentName, "表格1");
    EXPECT_TRUE(appState().currentFilePath.empty());
}

TEST_F(DocumentCommandsTest, NewThreeTimesNumbersTheTables) {
    typeIntoCell(1, 1, "旧内容");
    appState().modified = 0;
    for (const char* expected : {"表格2", "表格3", "表格4"}) {
        routines::newTableFromMenu({});
        EXPECT_EQ(appState().documentName, expected);
        EXPECT_EQ(caption(), applicationTitle() + "——" + expected);
    }
    EXPECT_EQ(mainDataSource().cellText(1, 1), "");
    EXPECT_EQ(appState().undoHistory.size(), 1u);
}

TEST_F(DocumentCommandsTest, SaveOfANewTableAsksForANameEveryTime) {
    typeIntoCell(2, 2, "数据");
    ModalResponder responder;
    responder.chooseFile(folder.path() / "first.bge");
    responder.chooseFile(folder.path() / "second.bge");
    routines::saveTableFromMenu({});
    EXPECT_EQ(appState().modified, 0);
    routines::saveTableFromMenu({});
    ASSERT_EQ(responder.seen().size(), 2u);
    for (const ModalResponder::Seen& seen : responder.seen()) {
        EXPECT_EQ(seen.caption, QStringLiteral("另存为"));
        EXPECT_EQ(seen.fileName, QStringLiteral("表格1"));
    }
    EXPECT_TRUE(fs::exists(folder.path() / "first.bge"));
    EXPECT_TRUE(fs::exists(folder.path() / "second.bge"));
    EXPECT_TRUE(appState().currentFilePath.empty());
}

TEST_F(DocumentCommandsTest, SaveAsAWorkbookExportsAndLeavesTheDocumentAsItWas) {
    std::string path = makeTable("x.bge", "原样");
    ASSERT_TRUE(openTableFile(path));
    typeIntoCell(1, 1, "改过");
    const std::string captionBefore = caption();
    ModalResponder responder;
    responder.chooseFile(folder.path() / rt::pathFromText("报表.xlsx"));
    EXPECT_EQ(saveTableAs(), SaveOutcome::Exported);
    ASSERT_EQ(responder.seen().size(), 1u);
    EXPECT_EQ(responder.seen()[0].fileName, QStringLiteral("x")) << "the chosen file type supplies the extension";
    std::string workbook = readWholeFile((folder.path() / rt::pathFromText("报表.xlsx")).string());
    EXPECT_EQ(workbook.substr(0, 4), std::string("PK\x03\x04", 4)) << "a workbook is a zip package";
    EXPECT_EQ(appState().currentFilePath, path);
    EXPECT_EQ(appState().documentName, "x.bge");
    EXPECT_EQ(appState().modified, 1);
    EXPECT_EQ(caption(), captionBefore);
    EXPECT_EQ(readWholeFile(rt::pathFromText(path).string()).find("改过"), std::string::npos)
        << "the table file itself is not written";

    responder.chooseFile(folder.path() / "missing" / "y.XLSX");
    responder.pressButton(kOk);
    EXPECT_EQ(saveTableAs(), SaveOutcome::Failed);
    ASSERT_EQ(responder.seen().size(), 3u);
    EXPECT_EQ(responder.seen()[2].caption, QStringLiteral("错误："));
    EXPECT_TRUE(responder.seen()[2].text.contains(QStringLiteral("y.XLSX"))) << responder.seen()[2].text.toStdString();
    EXPECT_FALSE(fs::exists(folder.path() / "missing" / "y.XLSX"));
    EXPECT_EQ(appState().modified, 1);
}

// Files colleagues send become new tables under their own names that 保存 never writes
// back; what cannot be opened says so and leaves the table that was there.
TEST_F(DocumentCommandsTest, WorkbooksAndCsvFilesOpenAsNewUnsavedTables) {
    auto sent = [](const char* name) { return std::string(WORKBOOKS_DIRECTORY) + "/" + name; };
    ModalResponder responder;
    responder.pressButton(kOk);
    ASSERT_TRUE(openForeignFile(sent("lost.xlsx")));
    ASSERT_EQ(responder.seen().size(), 1u);
    EXPECT_EQ(responder.seen()[0].text, QStringLiteral("以下内容未能导入：图片、图表、条件格式、批注。"));
    EXPECT_EQ(caption(), applicationTitle() + "——lost");
    EXPECT_TRUE(appState().currentFilePath.empty()) << "saving asks for a table file's name";
    EXPECT_EQ(appState().modified, 0);

    ASSERT_TRUE(openForeignFile(sent("table-gbk.csv")));
    EXPECT_EQ(mainDataSource().rowCount(), 4);
    EXPECT_EQ(mainDataSource().columnCount(), 4);
    EXPECT_EQ(mainDataSource().cellText(3, 3), "第一行\r\n第二行");
    EXPECT_EQ(appState().documentName, "table-gbk");

    // The last one makes the workbook library end its process; the editor, which reads
    // workbooks in another process, lives on.
    for (const char* broken : {"encrypted.xlsx", "not-a-workbook.xlsx", "damaged.xlsx", "reader-gives-up.xlsx"}) {
        responder.pressButton(kOk);
        EXPECT_FALSE(openForeignFile(sent(broken))) << broken;
        EXPECT_EQ(responder.seen().back().caption, QStringLiteral("错误：")) << broken;
        EXPECT_TRUE(responder.seen().back().text.contains(QString::fromUtf8(broken))) << broken;
        EXPECT_EQ(mainDataSource().cellText(3, 3), "第一行\r\n第二行") << "the table stays";
        EXPECT_EQ(appState().documentName, "table-gbk");
    }
    EXPECT_EQ(responder.unscripted(), 0);
}

TEST_F(DocumentCommandsTest, RestoreBackupNeedsAnOpenedFileAndItsBackup) {
    ModalResponder responder;
    responder.pressButton(kOk);
    routines::restoreBackup({});
    std::string path = makeTable("x.bge", "原样");
    ASSERT_TRUE(openTableFile(path));
    fs::remove(folder.path() / "x.bfe");
    responder.pressButton(kOk);
    routines::restoreBackup({});
    ASSERT_EQ(responder.seen().size(), 2u);
    EXPECT_EQ(responder.seen()[0].caption, QStringLiteral("提示："));
    EXPECT_EQ(responder.seen()[0].text, QStringLiteral("必须先打开原文件才能还原对应备份文件！"));
    EXPECT_EQ(responder.seen()[1].caption, QStringLiteral("错误："));
    EXPECT_EQ(responder.seen()[1].text, QStringLiteral("找不到备份文件！"));
}

TEST_F(DocumentCommandsTest, RestoreBackupBringsBackTheTableAsOpened) {
    std::string path = makeTable("x.bge", "原样");
    ASSERT_TRUE(openTableFile(path));
    typeIntoCell(1, 1, "改过");
    routines::saveTableFromMenu({});
    routines::restoreBackup({});
    EXPECT_EQ(mainDataSource().cellText(1, 1), "原样");
    EXPECT_EQ(appState().currentFilePath, path);
    EXPECT_EQ(appState().modified, 0);
}

TEST_F(DocumentCommandsTest, OpenTemplateKeepsTheOpenedFileAsTheDocument) {
    std::string path = makeTable("x.bge", "表格内容");
    std::string templatePath = makeTable("t.mob", "模板内容");
    ASSERT_TRUE(openTableFile(path));
    ModalResponder responder;
    responder.chooseFile(rt::pathFromText(templatePath));
    routines::openTemplate({});
    ASSERT_EQ(responder.seen().size(), 1u);
    EXPECT_EQ(responder.seen()[0].caption, QStringLiteral("打开模板"));
    EXPECT_EQ(mainDataSource().cellText(1, 1), "模板内容");
    EXPECT_EQ(appState().currentFilePath, path);
    routines::saveTableFromMenu({});
    mainDataSource().setCellText(1, 1, "");
    ASSERT_TRUE(mainDataSource().loadFromFile(path));
    EXPECT_EQ(mainDataSource().cellText(1, 1), "模板内容");
}

TEST_F(DocumentCommandsTest, FirstStartRegistersTheFileTypeAndTheDesktopKnowsIt) {
    rt::RegistryStore registry(rt::classesRegistryPath());
    std::string program = rt::textFromPath(fs::path(rt::programDirectory()) / rt::programFileName());
    std::string icon = rt::textFromPath(iconPath());
    EXPECT_EQ(registry.defaultValue(".bge\\"), "plomut");
    EXPECT_EQ(registry.defaultValue("plomut\\"), "表格文件");
    EXPECT_EQ(registry.defaultValue("plomut\\DefaultIcon\\"), icon + " ,0");
    EXPECT_EQ(registry.defaultValue("plomut\\shell\\open\\command\\"), "\"" + program + "\" \"%1\"");
    EXPECT_TRUE(fs::exists(iconPath()));
    fs::path data = isolatedUserDirectories() / "data";
    EXPECT_TRUE(fs::exists(data / "mime/packages/biaoge.xml"));
    EXPECT_TRUE(fs::exists(data / "icons/hicolor/256x256/apps/biaoge.png"));
    std::string launcher = readWholeFile((data / "applications/biaoge.desktop").string());
    EXPECT_NE(launcher.find("Exec=\"" + rt::programDirectory() + "/" + rt::programFileName() + "\" %f\n"),
              std::string::npos);
    EXPECT_NE(launcher.find("MimeType=application/x-biaoge-plomut;application/vnd.openxmlformats-officedocument."
                            "spreadsheetml.sheet;application/vnd.oasis.opendocument.spreadsheet;text/csv;\n"),
              std::string::npos);
}

TEST_F(DocumentCommandsTest, ExistingOpenCommandLeavesEverythingAlone) {
    close();
    std::error_code ignored;
    fs::remove_all(isolatedUserDirectories() / "config", ignored);
    fs::remove_all(isolatedUserDirectories() / "data", ignored);
    fs::remove(iconPath(), ignored);
    rt::RegistryStore registry(rt::classesRegistryPath());
    ASSERT_TRUE(registry.setDefaultValue("PLOMUT\\Shell\\Open\\Command\\", "elsewhere"));
    startWith({});
    EXPECT_FALSE(fs::exists(iconPath()));
    EXPECT_EQ(registry.defaultValue(".bge\\"), std::nullopt);
    EXPECT_EQ(registry.defaultValue("plomut\\shell\\open\\command\\"), "elsewhere");
    EXPECT_FALSE(fs::exists(isolatedUserDirectories() / "data" / "applications"));
}

// Sound behaviour where losing the user's work would otherwise be silent.

TEST_F(DocumentCommandsTest, FailedSaveSaysSoAndKeepsTheDocumentModified) {
    // A folder where the table file should be: the write cannot happen.
    fs::create_directory(folder.path() / "folder.bge");
    appState().currentFilePath = rt::textFromPath(folder.path() / "folder.bge");
    typeIntoCell(1, 1, "重要");
    ModalResponder responder;
    responder.pressButton(kOk);
    EXPECT_EQ(saveTable(), SaveOutcome::Failed);
    ASSERT_EQ(responder.seen().size(), 1u);
    EXPECT_EQ(responder.seen()[0].caption, QStringLiteral("错误："));
    EXPECT_TRUE(responder.seen()[0].text.contains(QStringLiteral("folder.bge")));
    EXPECT_EQ(appState().modified, 1);
}

TEST_F(DocumentCommandsTest, CloseQueryKeepsTheWindowUnlessTheWorkIsSettled) {
    struct Case {
        const char* name;
        std::vector<const char16_t*> answers;  // to the prompt and, after Yes, to the save
        bool cancelSaveAs;
        bool staysOpen;
    };
    const Case cases[] = {
        {"cancel", {kCancel}, false, true},
        {"yes, save as cancelled", {kYes}, true, true},
        {"yes, saved", {kYes}, false, false},
        {"no", {kNo}, false, false},
    };
    for (const Case& c : cases) {
        startWith({});
        typeIntoCell(1, 1, "未保存");
        ModalResponder responder;
        for (const char16_t* answer : c.answers) responder.pressButton(answer);
        if (c.answers.front() == kYes) {
            if (c.cancelSaveAs) {
                responder.cancelDialog();
            } else {
                responder.chooseFile(folder.path() / "closing.bge");
            }
        }
        rt::WindowRuntime::instance().loadedWindow(window_id::MainWindow)->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(isOpen(), c.staysOpen) << c.name;
        ASSERT_FALSE(responder.seen().empty()) << c.name;
        EXPECT_EQ(responder.seen()[0].text, QStringLiteral("当前表格已被改过，是否保存？")) << c.name;
        EXPECT_EQ(responder.unscripted(), 0) << c.name;
    }
}

TEST_F(DocumentCommandsTest, NewKeepsTheTableWhenTheWantedSaveDidNotHappen) {
    typeIntoCell(1, 1, "未保存");
    ModalResponder responder;
    responder.pressButton(kYes);
    responder.cancelDialog();
    routines::newTableFromMenu({});
    EXPECT_EQ(appState().documentName, "表格1");
    EXPECT_EQ(mainDataSource().cellText(1, 1), "未保存");
    EXPECT_EQ(appState().modified, 1);
    responder.pressButton(kNo);
    routines::newTableFromMenu({});
    EXPECT_EQ(appState().documentName, "表格2");
    EXPECT_EQ(responder.seen().size(), 3u);
}

// Escape or the close button on the New prompt is no answer at all: the typed table
// must stay, not be thrown away as a "No" would.
TEST_F(DocumentCommandsTest, NewKeepsTheTableWhenThePromptIsLeftWithoutAnAnswer) {
    const std::pair<const char*, std::function<void(QWidget*)>> ways[] = {
        {"Escape", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); }},
        {"close button", [](QWidget* box) { box->close(); }},
    };
    for (const auto& [way, leave] : ways) {
        startWith({});
        typeIntoCell(1, 1, "未保存");
        QString asked;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&, leave = leave] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            poll.stop();
            asked = box->text();
            leave(box);
            // Should the box ignore the way out, it must still not hang the test.
            if (box->isVisible()) box->reject();
        });
        poll.start(1);
        routines::newTableFromMenu({});
        EXPECT_EQ(asked, QStringLiteral("当前表格已被改过，是否保存？")) << way;
        EXPECT_EQ(mainDataSource().cellText(1, 1), "未保存") << way;
        EXPECT_EQ(appState().documentName, "表格1") << way;
        EXPECT_EQ(appState().modified, 1) << way;
    }
}

TEST_F(DocumentCommandsTest, FileThatDoesNotLoadKeepsTheDocumentAndItsBackup) {
    std::string path = makeTable("x.bge", "好的");
    ASSERT_TRUE(openTableFile(path));
    std::string backupBefore = readWholeFile((folder.path() / "x.bfe").string());
    writeWholeFile((folder.path() / "x.bge").string(), "not a table");
    ModalResponder responder;
    responder.pressButton(kOk);
    EXPECT_FALSE(openTableFile(path));
    ASSERT_EQ(responder.seen().size(), 1u);
    EXPECT_EQ(responder.seen()[0].caption, QStringLiteral("错误："));
    EXPECT_EQ(mainDataSource().cellText(1, 1), "好的");
    EXPECT_EQ(readWholeFile((folder.path() / "x.bfe").string()), backupBefore);
}

// A table opened from a shared folder: the backup name may already be a link that
// someone else put there, pointing at one of the person's files.
TEST_F(DocumentCommandsTest, APlantedBackupLinkIsNeitherWrittenNorRestored) {
    std::string path = makeTable("report.bge", "报表");
    writeWholeFile((folder.path() / "bashrc").string(), "the person's own settings");
    fs::create_symlink(folder.path() / "bashrc", folder.path() / "report.bfe");
    ASSERT_TRUE(openTableFile(path));
    EXPECT_EQ(mainDataSource().cellText(1, 1), "报表");
    EXPECT_EQ(readWholeFile((folder.path() / "bashrc").string()), "the person's own settings");
    const std::string status = rt::UnitAccess(window_id::MainWindow, main_unit::StatusBar).text(rt::kFirstOwnProperty, 2);
    EXPECT_NE(status.find("未能生成备份文件"), std::string::npos) << status;
    EXPECT_NE(status.find("report.bfe"), std::string::npos) << status;

    ModalResponder responder;
    responder.pressButton(kOk);
    routines::restoreBackup({});
    ASSERT_EQ(responder.seen().size(), 1u);
    EXPECT_EQ(responder.seen()[0].text, QStringLiteral("找不到备份文件！"));

    fs::remove(folder.path() / "report.bfe");
    ASSERT_TRUE(openTableFile(path));
    EXPECT_EQ(rt::UnitAccess(window_id::MainWindow, main_unit::StatusBar).text(rt::kFirstOwnProperty, 2), "");
    EXPECT_TRUE(fs::is_regular_file(folder.path() / "report.bfe"));
}

TEST_F(DocumentCommandsTest, TypedChangesKeepTheNewestFiftySnapshotsAndEnableUndo) {
    rt::UnitAccess undo(window_id::MainWindow, main_menu_item::Undo);
    EXPECT_EQ(qt(undo.text(0)), QStringLiteral("撤销"));
    EXPECT_TRUE(undo.logical(2));
    for (int change = 1; change <= 55; ++change) typeIntoCell(1, 1, std::to_string(change));
    const AppState& state = appState();
    EXPECT_EQ(state.modified, 1);
    ASSERT_EQ(state.undoHistory.size(), 50u);
    EXPECT_EQ(state.undoPosition, 50);
    EXPECT_FALSE(undo.logical(2));
    ASSERT_TRUE(mainDataSource().restoreState(state.undoHistory.front()));
    EXPECT_EQ(mainDataSource().cellText(1, 1), "6") << "the table before the first six changes is gone";
}

}  // namespace
