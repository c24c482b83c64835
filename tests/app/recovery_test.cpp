// Recovery copies inside one editor: written after typing, removed by Save, New and
// Open; copies left by editors that ended are offered at start-up. Crashes of real
// processes are in recovery_process_test.cpp.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/application.h"
#include "app/document/document_commands.h"
#include "app/document/new_table.h"
#include "app/recovery/recovery_description.h"
#include "app/recovery/recovery_folders.h"
#include "app/routines/routine.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "grid/format/table_file.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/value/file_name.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"
#include "runtime/window/loaded_window.h"
#include "tests/app/main_window_start.h"
#include "tests/app/modal_responder.h"
#include "tests/app/user_directories.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace app;

const char16_t* const kYes = u"是(&Y)";
const char16_t* const kNo = u"否(&N)";
const char16_t* const kOk = u"确定";
// A copy follows the last change after a pause of about three seconds.
constexpr int kCopyWaitMilliseconds = 15000;

fs::path root() { return isolatedUserDirectories() / "state" / "biaoge" / "recovery"; }

// This process's folder: its name starts with the process id.
std::optional<fs::path> ownFolder() {
    std::error_code ignored;
    std::string prefix = std::to_string(getpid()) + "-";
    for (const fs::directory_entry& entry : fs::directory_iterator(root(), ignored)) {
        if (entry.path().filename().string().starts_with(prefix)) return entry.path();
    }
    return std::nullopt;
}

bool hasOwnCopy() {
    std::optional<fs::path> folder = ownFolder();
    return folder && fs::exists(*folder / kCopyFileName);
}

std::string firstCellOf(const fs::path& file) {
    std::string bytes = readWholeFile(file.string());
    grid::Table table({65, 250});
    grid::ReadError error = grid::readTableFile({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, table);
    if (error != grid::ReadError::None || !table.contains(0, 0)) return "(no table)";
    return std::string(table.cell(0, 0).text());
}

void typeIntoFirstCell(const char* keys) {
    // Keys reach the window the desktop made active, as a person's keys do.
    ASSERT_TRUE(QTest::qWaitForWindowActive(rt::WindowRuntime::instance().loadedWindow(window_id::MainWindow)));
    selectCells(1, 1);
    for (const char* key = keys; *key; ++key) QTest::keyClick(QApplication::focusWidget(), *key);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

std::string caption() {
    return rt::UnitAccess(window_id::MainWindow, 0).text(rt::kFirstOwnProperty + rt::window_property::Caption);
}

class RecoveryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initialiseRuntime(); }
    void SetUp() override {
        std::error_code ignored;
        fs::remove_all(isolatedUserDirectories() / "config", ignored);
        fs::remove_all(isolatedUserDirectories() / "data", ignored);
    }
    void TearDown() override {
        closeMainWindow();
        // A copy that a failed test left behind would be offered to every later start.
        std::error_code ignored;
        std::vector<fs::path> others;
        for (const fs::directory_entry& entry : fs::directory_iterator(root(), ignored)) {
            if (entry.path() != ownFolder()) others.push_back(entry.path());
        }
        for (const fs::path& folder : others) fs::remove_all(folder, ignored);
    }

    // A copy as an editor that ended without a word leaves it: no lock in the folder.
    fs::path leaveCopy(const std::string& folderName, const RecoveryDescription& description, const char* text) {
        fs::path folder = root() / folderName;
        fs::create_directories(folder);
        EXPECT_TRUE(writeRecoveryDescription(folder / kDescriptionFileName, description));
        if (text) {
            mainDataSource().setCellText(1, 1, text);
            EXPECT_TRUE(mainDataSource().saveToFile(rt::textFromPath(folder / kCopyFileName)));
            mainDataSource().setCellText(1, 1, "");
        } else {
            writeWholeFile((folder / kCopyFileName).string(), "not a table");
        }
        return folder;
    }

    TempDir files;
};

TEST_F(RecoveryTest, TypingLeavesACopyThatSaveRemoves) {
    ASSERT_TRUE(startMainWindow());
    ASSERT_TRUE(ownFolder()) << "every editor has its folder from the start";
    EXPECT_FALSE(hasOwnCopy());

    typeIntoFirstCell("42");
    ASSERT_TRUE(QTest::qWaitFor(hasOwnCopy, kCopyWaitMilliseconds));
    EXPECT_EQ(firstCellOf(*ownFolder() / kCopyFileName), "42");
    std::optional<RecoveryDescription> description = readRecoveryDescription(*ownFolder() / kDescriptionFileName);
    ASSERT_TRUE(description);
    EXPECT_EQ(description->documentName, appState().documentName);
    EXPECT_TRUE(description->originalPath.empty());
    EXPECT_EQ(description->copiedAt.size(), 19u);
    // Unsaved work is nobody else's business.
    for (const fs::path& path : {*ownFolder(), ownFolder()->parent_path()}) {
        EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_all) << path;
    }
    for (std::string_view name : {kCopyFileName, kDescriptionFileName, kLockFileName}) {
        EXPECT_EQ(fs::status(*ownFolder() / name).permissions(), fs::perms::owner_read | fs::perms::owner_write) << name;
    }

    ModalResponder responder;
    responder.chooseFile(files.path() / "saved.bge");
    EXPECT_EQ(saveTable(), SaveOutcome::Saved);
    EXPECT_TRUE(QTest::qWaitFor([] { return !hasOwnCopy(); }, kCopyWaitMilliseconds));
    EXPECT_TRUE(responder.allAnswered());
}

// The next copy of a document may wait out the interval since the last; these only
// need a copy to be there.
TEST_F(RecoveryTest, NewAndOpenRemoveTheCopy) {
    ASSERT_TRUE(startMainWindow());
    ASSERT_TRUE(mainDataSource().saveToFile(rt::textFromPath(files.path() / "other.bge")));
    RecoveryDescription description{"", "表格1", "2026-12-09 10:31:05"};
    ModalResponder responder;
    responder.pressButton(kNo);
    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        {"New from the menu", [] { routines::newTableFromMenu({}); }},
        {"a new table without asking", [] { newTable(); }},
        {"Open", [&] { openTableFile(rt::textFromPath(files.path() / "other.bge")); }},
    };
    for (const auto& [name, command] : commands) {
        appState().modified = 1;
        ASSERT_TRUE(writeRecoveryDescription(*ownFolder() / kDescriptionFileName, description));
        writeWholeFile((*ownFolder() / kCopyFileName).string(), "SDmR");
        command();
        EXPECT_TRUE(QTest::qWaitFor(
            [] { return !hasOwnCopy() && !fs::exists(*ownFolder() / kDescriptionFileName); }, kCopyWaitMilliseconds))
            << name;
    }
    EXPECT_TRUE(responder.allAnswered());
}

TEST_F(RecoveryTest, ACopyLeftBehindIsRestoredWithItsFileKeptForSave) {
    ASSERT_TRUE(startMainWindow());
    std::string original = rt::textFromPath(files.path() / "报表.bge");
    fs::path left = leaveCopy("1-1", {original, "报表.bge", "2026-12-09 10:31:05"}, "未保存的内容");
    std::string other = rt::textFromPath(files.path() / "other.bge");
    mainDataSource().setCellText(1, 1, "the file named on the command line");
    ASSERT_TRUE(mainDataSource().saveToFile(other));
    closeMainWindow();

    ModalResponder responder;
    responder.pressButton(kYes);
    ASSERT_TRUE(startMainWindow({rt::pathFromText(other).string()}));

    ASSERT_EQ(responder.seen().size(), 1u);
    EXPECT_EQ(responder.seen()[0].caption, QStringLiteral("询问："));
    EXPECT_EQ(responder.seen()[0].text,
              QStringLiteral("发现未保存的表格“") + rt::fromGbk(original) + QStringLiteral("”（2026-12-09 10:31），是否恢复？"));
    EXPECT_EQ(mainDataSource().cellText(1, 1), "未保存的内容") << "the command line's file is not opened over it";
    const AppState& state = appState();
    EXPECT_EQ(state.modified, 1);
    EXPECT_EQ(state.currentFilePath, original);
    EXPECT_EQ(state.documentName, "报表.bge");
    EXPECT_TRUE(caption().ends_with("——报表.bge"));
    EXPECT_FALSE(fs::exists(left)) << "the copy moved into this editor's folder";
    ASSERT_TRUE(hasOwnCopy());
    EXPECT_EQ(firstCellOf(*ownFolder() / kCopyFileName), "未保存的内容");

    EXPECT_EQ(saveTable(), SaveOutcome::Saved) << "Save writes to the original file without asking";
    EXPECT_EQ(firstCellOf(rt::pathFromText(original)), "未保存的内容");
    EXPECT_TRUE(QTest::qWaitFor([] { return !hasOwnCopy(); }, kCopyWaitMilliseconds));
    EXPECT_TRUE(responder.allAnswered());
}

TEST_F(RecoveryTest, AnUntitledTableStaysUntitled) {
    ASSERT_TRUE(startMainWindow());
    leaveCopy("2-2", {"", "表格7", "2026-12-09 10:31:05"}, "新表格的内容");
    closeMainWindow();

    ModalResponder responder;
    responder.pressButton(kYes);
    ASSERT_TRUE(startMainWindow());
    ASSERT_EQ(responder.seen().size(), 1u);
    EXPECT_EQ(responder.seen()[0].text, QStringLiteral("发现未保存的表格“表格7”（2026-12-09 10:31），是否恢复？"));
    EXPECT_EQ(mainDataSource().cellText(1, 1), "新表格的内容");
    EXPECT_TRUE(appState().currentFilePath.empty());
    EXPECT_EQ(appState().documentName, "表格7");
    EXPECT_EQ(appState().modified, 1);

    responder.chooseFile(files.path() / "named.bge");
    EXPECT_EQ(saveTable(), SaveOutcome::Saved);
    ASSERT_EQ(responder.seen().size(), 2u);
    EXPECT_EQ(responder.seen()[1].caption, QStringLiteral("另存为")) << "Save asks for a name, as for any new table";
    EXPECT_EQ(responder.seen()[1].fileName, QStringLiteral("表格7"));
}

// Newest first; No deletes, a box closed without an answer keeps the copy for the
// next start, and a damaged copy is reported and cleared away.
TEST_F(RecoveryTest, EachCopyIsAskedAboutInTurn) {
    ASSERT_TRUE(startMainWindow());
    fs::path declined = leaveCopy("3-3", {"", "表格1", "2026-12-09 12:00:00"}, "declined");
    fs::path kept = leaveCopy("4-4", {"", "表格2", "2026-12-09 11:00:00"}, "kept");
    fs::path damaged = leaveCopy("5-5", {"", "表格3", "2026-12-09 10:00:00"}, nullptr);
    closeMainWindow();

    ModalResponder responder;
    responder.pressButton(kNo);
    responder.cancelDialog();
    responder.pressButton(kYes);
    responder.pressButton(kOk);
    ASSERT_TRUE(startMainWindow());

    ASSERT_EQ(responder.seen().size(), 4u);
    EXPECT_TRUE(responder.seen()[0].text.contains(QStringLiteral("“表格1”（2026-12-09 12:00）")));
    EXPECT_TRUE(responder.seen()[1].text.contains(QStringLiteral("“表格2”")));
    EXPECT_TRUE(responder.seen()[2].text.contains(QStringLiteral("“表格3”")));
    EXPECT_EQ(responder.seen()[3].caption, QStringLiteral("错误："));
    EXPECT_EQ(responder.seen()[3].text, QStringLiteral("无法恢复表格“表格3”：恢复副本已损坏。"));
    EXPECT_FALSE(fs::exists(declined));
    EXPECT_TRUE(fs::exists(kept / kCopyFileName));
    EXPECT_FALSE(fs::exists(damaged));
    EXPECT_EQ(appState().modified, 0);
    EXPECT_EQ(mainDataSource().cellText(1, 1), "");

    // Asked again at the next start, and restored; nothing else is left to ask about.
    closeMainWindow();
    responder.pressButton(kYes);
    ASSERT_TRUE(startMainWindow());
    ASSERT_EQ(responder.seen().size(), 5u);
    EXPECT_EQ(mainDataSource().cellText(1, 1), "kept");
    EXPECT_FALSE(fs::exists(kept));
    EXPECT_EQ(responder.unscripted(), 0);
}

}  // namespace
