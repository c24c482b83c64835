// Editors as real processes. One is killed with SIGKILL after typing, and the next
// start offers and restores what was typed; two running at once keep their copies
// apart. Every editor is a child process that starts as the program does and is
// driven through its window; the parent makes no application object (a fork is only
// safe without one) and only starts, kills, waits and reads files.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/application.h"
#include "app/document/document_commands.h"
#include "app/recovery/recovery_description.h"
#include "app/recovery/recovery_folders.h"
#include "app/recovery/recovery_keeper.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "grid/format/table_file.h"
#include "grid/format/table_file_io.h"
#include "grid/provider/n_provider.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/window/loaded_window.h"
#include "tests/app/main_window_start.h"
#include "tests/app/modal_responder.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace app;

// Exit codes of a child that could not do its part.
constexpr int kWindowDidNotLoad = 10;
constexpr int kWindowNotActive = 11;
constexpr int kTypingDidNotArrive = 12;

// An editor process; killed when the test ends with it still running.
class Editor {
public:
    explicit Editor(const std::function<void()>& body) : pid_(fork()) {
        if (pid_ == 0) {
            int argc = 1;
            char program[] = "biaoge";
            char* argv[] = {program, nullptr};
            QApplication application(argc, argv);
            initialiseRuntime();
            body();
            _exit(0);
        }
    }
    ~Editor() {
        if (isRunning()) kill();
    }
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    pid_t pid() const { return pid_; }
    bool isRunning() {
        if (status_) return false;
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
        status_ = status;
        return false;
    }
    // The wait status once the process ended.
    int kill() {
        ::kill(pid_, SIGKILL);
        return wait();
    }
    int wait() {
        if (!status_) {
            int status = 0;
            waitpid(pid_, &status, 0);
            status_ = status;
        }
        return *status_;
    }

private:
    pid_t pid_;
    std::optional<int> status_;
};

// What an editor does once its window is up: types into the first cell as a person
// does, then serves events until it is killed.
std::function<void()> typeAndRun(std::string keys, std::vector<std::string> arguments = {}) {
    return [keys, arguments] {
        if (!startMainWindow(arguments)) _exit(kWindowDidNotLoad);
        // Keys reach the window the desktop made active, as a person's keys do.
        if (!QTest::qWaitForWindowActive(rt::WindowRuntime::instance().loadedWindow(window_id::MainWindow))) {
            _exit(kWindowNotActive);
        }
        selectCells(1, 1);
        for (char key : keys) QTest::keyClick(QApplication::focusWidget(), key);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        if (mainDataSource().cellText(1, 1) != keys) _exit(kTypingDidNotArrive);
        QApplication::exec();
    };
}

// An editor that starts, answers every question the same way, writes down what it
// was asked and what it shows (GBK, "key=value" lines), saves when told to and ends
// normally.
std::function<void()> answerAndEnd(const char16_t* answer, fs::path report, bool save = false) {
    return [answer, report, save] {
        ModalResponder responder;
        for (int box = 0; box < 5; ++box) responder.pressButton(answer);
        if (!startMainWindow()) _exit(kWindowDidNotLoad);
        std::ofstream out(report, std::ios::binary);
        for (const ModalResponder::Seen& seen : responder.seen()) out << "box=" << rt::toGbk(seen.text) << '\n';
        const AppState& state = appState();
        out << "cell=" << mainDataSource().cellText(1, 1) << "\nmodified=" << state.modified
            << "\npath=" << state.currentFilePath << "\nname=" << state.documentName << '\n';
        if (save) out << "saved=" << (saveTable() == SaveOutcome::Saved) << '\n';
        out.close();
        closeMainWindow();
        endRecovery();
    };
}

std::multimap<std::string, std::string> readReport(const fs::path& file) {
    std::multimap<std::string, std::string> report;
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        size_t equals = line.find('=');
        if (equals != std::string::npos) report.emplace(line.substr(0, equals), line.substr(equals + 1));
    }
    return report;
}

std::string firstCellOf(const fs::path& file) {
    std::string bytes = readWholeFile(file.string());
    grid::Table table({65, 250});
    grid::ReadError error = grid::readTableFile({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, table);
    if (error != grid::ReadError::None || !table.contains(0, 0)) return "(no table)";
    return std::string(table.cell(0, 0).text());
}

void makeTableFile(const fs::path& file, const std::string& text) {
    grid::FixedTextMeasurer measurer({20, 40});
    grid::NProvider provider(measurer);
    grid::DataSrc source;
    source.bindProvider(&provider);
    provider.setSize(5, 5);
    source.setCellText(0, 0, text);
    ASSERT_TRUE(grid::saveTableFile(source, file.string()));
}

// The folders under root that hold a copy, by the process id that starts each name.
std::map<pid_t, fs::path> foldersWithCopies(const fs::path& root) {
    std::map<pid_t, fs::path> folders;
    std::error_code ignored;
    for (const fs::directory_entry& entry : fs::directory_iterator(root, ignored)) {
        if (fs::exists(entry.path() / kCopyFileName)) {
            folders.emplace(std::stoi(entry.path().filename().string()), entry.path());
        }
    }
    return folders;
}

size_t foldersIn(const fs::path& root) {
    std::error_code ignored;
    auto entries = fs::directory_iterator(root, ignored);
    return static_cast<size_t>(std::distance(begin(entries), end(entries)));
}

// Polls until the condition holds or the editors it waits for ended; no time is
// asserted, the limit only keeps a broken build from hanging.
bool waitUntil(const std::function<bool()>& condition, const std::vector<Editor*>& editors) {
    auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < limit) {
        if (condition()) return true;
        for (Editor* editor : editors) {
            if (!editor->isRunning()) return condition();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

// "发现未保存的表格“<table>”（2026-12-09 10:31），是否恢复？" with any minute.
bool asksAbout(const std::string& question, const std::string& table) {
    std::string before = "发现未保存的表格“" + table + "”（";
    std::string after = "），是否恢复？";
    if (!question.starts_with(before) || !question.ends_with(after)) return false;
    std::string minute = question.substr(before.size(), question.size() - before.size() - after.size());
    // Digits where the shape has 0, its other characters as they stand.
    constexpr std::string_view shape = "0000-00-00 00:00";
    return std::equal(minute.begin(), minute.end(), shape.begin(), shape.end(), [](char c, char expected) {
        return expected == '0' ? c >= '0' && c <= '9' : c == expected;
    });
}

class RecoveryProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        setenv("XDG_STATE_HOME", (home.path() / "state").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home.path() / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (home.path() / "data").c_str(), 1);
    }

    fs::path root() const { return home.path() / "state" / "biaoge" / "recovery"; }

    TempDir home;
};

TEST_F(RecoveryProcessTest, TextTypedBeforeAKillIsOfferedAndRestoredForTheSameFile) {
    fs::path table = home.path() / "a.bge";
    makeTableFile(table, "saved before");

    Editor killed(typeAndRun("typed after the save", {table.string()}));
    ASSERT_TRUE(waitUntil([&] { return foldersWithCopies(root()).contains(killed.pid()); }, {&killed}))
        << "no copy; the editor ended with status " << killed.wait();
    int status = killed.kill();
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    fs::path left = foldersWithCopies(root()).at(killed.pid());
    EXPECT_TRUE(fs::exists(left / kLockFileName)) << "the dead editor's lock stays behind";
    EXPECT_EQ(firstCellOf(table), "saved before");

    fs::path report = home.path() / "report";
    Editor restarted(answerAndEnd(u"是(&Y)", report, true));
    status = restarted.wait();
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    std::multimap<std::string, std::string> seen = readReport(report);
    ASSERT_EQ(seen.count("box"), 1u);
    EXPECT_TRUE(asksAbout(seen.find("box")->second, table.string())) << seen.find("box")->second;
    EXPECT_EQ(seen.find("cell")->second, "typed after the save");
    EXPECT_EQ(seen.find("modified")->second, "1");
    EXPECT_EQ(seen.find("path")->second, table.string());
    EXPECT_EQ(seen.find("name")->second, "a.bge");
    EXPECT_EQ(seen.find("saved")->second, "1");
    EXPECT_EQ(firstCellOf(table), "typed after the save") << "Save wrote the restored table to its file";
    EXPECT_EQ(foldersIn(root()), 0u) << "restored, saved and ended normally: no copy and no folder is left";
}

TEST_F(RecoveryProcessTest, TwoEditorsKeepTheirCopiesApart) {
    fs::path tableA = home.path() / "a.bge";
    fs::path tableB = home.path() / "b.bge";
    makeTableFile(tableA, "");
    makeTableFile(tableB, "");

    Editor first(typeAndRun("from the first", {tableA.string()}));
    Editor second(typeAndRun("from the second", {tableB.string()}));
    ASSERT_TRUE(waitUntil([&] { return foldersWithCopies(root()).size() == 2; }, {&first, &second}));
    std::map<pid_t, fs::path> folders = foldersWithCopies(root());
    ASSERT_TRUE(folders.contains(first.pid()) && folders.contains(second.pid()));
    EXPECT_EQ(firstCellOf(folders[first.pid()] / kCopyFileName), "from the first");
    EXPECT_EQ(firstCellOf(folders[second.pid()] / kCopyFileName), "from the second");
    EXPECT_EQ(readRecoveryDescription(folders[second.pid()] / kDescriptionFileName)->originalPath, tableB.string());
    const std::string secondCopy = readWholeFile((folders[second.pid()] / kCopyFileName).string());

    first.kill();
    fs::path report = home.path() / "report";
    Editor third(answerAndEnd(u"否(&N)", report));
    int status = third.wait();
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    std::multimap<std::string, std::string> seen = readReport(report);
    ASSERT_EQ(seen.count("box"), 1u) << "the running editor's copy is not offered";
    EXPECT_TRUE(asksAbout(seen.find("box")->second, tableA.string())) << seen.find("box")->second;
    EXPECT_EQ(seen.find("modified")->second, "0");
    EXPECT_FALSE(fs::exists(folders[first.pid()])) << "No deleted the dead editor's copy";
    EXPECT_TRUE(second.isRunning());
    EXPECT_EQ(readWholeFile((folders[second.pid()] / kCopyFileName).string()), secondCopy)
        << "the running editor's copy is untouched";
    EXPECT_EQ(foldersIn(root()), 1u);
}

}  // namespace
