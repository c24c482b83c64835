// The recovery folders, the description beside each copy and the worker that writes
// them, without a display: which folders an editor may touch and what it tells.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/recovery/recovery_description.h"
#include "app/recovery/recovery_folders.h"
#include "app/recovery/serial_worker.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace app;

// Folders whose editors still run, as the lock files would say; everything else can
// be claimed.
class TableClaims : public FolderClaims {
public:
    bool claim(const fs::path& folder) override {
        if (running.contains(folder.filename().string())) return false;
        held.insert(folder.filename().string());
        return true;
    }
    void release(const fs::path& folder) override {
        held.erase(folder.filename().string());
        released.insert(folder.filename().string());
    }

    std::set<std::string> running;
    std::set<std::string> held;
    std::set<std::string> released;
};

void leaveCopy(const fs::path& folder, const RecoveryDescription& description, bool withTable = true) {
    fs::create_directories(folder);
    ASSERT_TRUE(writeRecoveryDescription(folder / kDescriptionFileName, description));
    if (withTable) writeWholeFile((folder / kCopyFileName).string(), "SDmR table of " + description.documentName);
}

TEST(RecoveryDescriptionTest, ComesBackExactlyFromItsFile) {
    TempDir directory;
    const std::vector<RecoveryDescription> descriptions = {
        {"", "表格3", "2026-12-09 10:31:05"},
        {"/home/李/报表.bge", "报表.bge", "2026-01-02 03:04:05"},
        {"/tmp/odd\nname\\with\rbreaks.bge", "odd\nname\\with\rbreaks.bge", "2026-12-09 10:31:05"},
        // A GBK character whose second byte is a backslash, before a real one.
        {"/tmp/\x81\x5C\\n.bge", "\x81\x5C\\n.bge", "2026-12-09 10:31:05"},
    };
    for (const RecoveryDescription& description : descriptions) {
        fs::path file = directory.path() / kDescriptionFileName;
        ASSERT_TRUE(writeRecoveryDescription(file, description));
        EXPECT_EQ(readRecoveryDescription(file), description) << description.documentName;
        std::string text = readWholeFile(file.string());
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3) << "one line per value";
    }
}

TEST(RecoveryDescriptionTest, RefusesWhatCannotDescribeACopy) {
    const std::vector<std::pair<std::string, bool>> texts = {
        {"path=/a.bge\nname=a.bge\ntime=2026-12-09 10:31:05\n", true},
        {"name=表格1\ntime=2026-12-09 10:31:05", true},
        {"comment\nname=表格1\nsize=9\ntime=2026-12-09 10:31:05\n", true},
        {"path=/a.bge\ntime=2026-12-09 10:31:05\n", false},
        {"path=/a.bge\nname=\ntime=2026-12-09 10:31:05\n", false},
        {"path=/a.bge\nname=a.bge\n", false},
        {"", false},
        {std::string("name=a\0b\ntime=x\n", 16), true},
    };
    for (const auto& [text, usable] : texts) EXPECT_EQ(parseRecoveryDescription(text).has_value(), usable) << text;
}

TEST(RecoveryDescriptionTest, IgnoresMissingAndOversizedFiles) {
    TempDir directory;
    EXPECT_FALSE(readRecoveryDescription(directory.path() / "missing.txt"));
    std::string huge = "name=a\ntime=b\n" + std::string(100 * 1024, 'x');
    writeWholeFile(directory.file("huge.txt"), huge);
    EXPECT_FALSE(readRecoveryDescription(directory.path() / "huge.txt"));
    EXPECT_FALSE(readRecoveryDescription(directory.path()));
}

TEST(RecoveryDescriptionTest, TheQuestionNamesTheFileOrTheNewTableAndTheMinute) {
    EXPECT_EQ(recoveryQuestion({"D:/a.bge", "a.bge", "2026-12-09 10:31:05"}),
              "发现未保存的表格“D:/a.bge”（2026-12-09 10:31），是否恢复？");
    EXPECT_EQ(recoveryQuestion({"", "表格3", "2026-12-09 10:31:59"}),
              "发现未保存的表格“表格3”（2026-12-09 10:31），是否恢复？");
    EXPECT_EQ(recoveryQuestion({"", "表格3", "short"}), "发现未保存的表格“表格3”（short），是否恢复？");
}

TEST(RecoveryDescriptionTest, TimesAreLocal) {
    const char* saved = std::getenv("TZ");
    std::string previous = saved ? saved : "";
    setenv("TZ", "CST-8", 1);
    tzset();
    // 2026-12-09 02:31:05 UTC.
    auto time = std::chrono::system_clock::from_time_t(1796783465);
    EXPECT_EQ(localTimeText(time), "2026-12-09 10:31:05");
    if (saved) {
        setenv("TZ", previous.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

TEST(RecoveryFoldersTest, TheRootFollowsTheStateDirectory) {
    EXPECT_EQ(recoveryRoot("/state", "/home/li"), fs::path("/state/biaoge/recovery"));
    EXPECT_EQ(recoveryRoot(nullptr, "/home/li"), fs::path("/home/li/.local/state/biaoge/recovery"));
    EXPECT_EQ(recoveryRoot("", "/home/li"), fs::path("/home/li/.local/state/biaoge/recovery"));
    EXPECT_EQ(recoveryRoot("relative/state", "/home/li"), fs::path("/home/li/.local/state/biaoge/recovery"))
        << "a relative state directory is invalid and ignored";
    EXPECT_FALSE(recoveryRoot(nullptr, nullptr));
    EXPECT_FALSE(recoveryRoot("relative", "also-relative"));
}

TEST(RecoveryFoldersTest, AnEditorsFolderIsNewAndClaimed) {
    TempDir directory;
    fs::path root = directory.path() / "biaoge" / "recovery";
    TableClaims claims;
    std::optional<fs::path> first = makeOwnFolder(root, 4242, 1000, claims);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->filename(), "4242-1000");
    EXPECT_TRUE(claims.held.contains("4242-1000"));

    // The same id and moment again (a folder left from an earlier boot) never shares it.
    std::optional<fs::path> second = makeOwnFolder(root, 4242, 1000, claims);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->filename(), "4242-1000-1");

    // Another editor claimed the empty folder the moment it was made: take the next name.
    claims.running.insert("4242-1000-2");
    std::optional<fs::path> third = makeOwnFolder(root, 4242, 1000, claims);
    ASSERT_TRUE(third);
    EXPECT_EQ(third->filename(), "4242-1000-3");

    writeWholeFile(directory.file("file"), "not a folder");
    EXPECT_FALSE(makeOwnFolder(directory.path() / "file" / "recovery", 1, 1, claims));

    // A root made open by an older editor becomes private; a link in its place is no root.
    fs::permissions(root, fs::perms::all);
    ASSERT_TRUE(makeOwnFolder(root, 4242, 1000, claims));
    EXPECT_EQ(fs::status(root).permissions(), fs::perms::owner_all);
    fs::create_symlink(root, directory.path() / "elsewhere");
    EXPECT_FALSE(makeOwnFolder(directory.path() / "elsewhere", 1, 1, claims));
}

TEST(RecoveryFoldersTest, OnlyFoldersOfEditorsNoLongerRunningAreTakenNewestFirst) {
    TempDir directory;
    const fs::path& root = directory.path();
    leaveCopy(root / "1-1", {"/a.bge", "a.bge", "2026-12-09 10:31:05"});
    leaveCopy(root / "2-2", {"", "表格2", "2026-12-09 11:00:00"});
    leaveCopy(root / "3-3", {"", "表格1", "2026-12-09 12:00:00"});
    leaveCopy(root / "own", {"", "表格4", "2026-12-09 13:00:00"});
    leaveCopy(root / "no-table", {"", "表格5", "2026-12-09 14:00:00"}, false);
    fs::create_directory(root / "empty");
    writeWholeFile((root / "stray-file").string(), "x");

    TableClaims claims;
    claims.running = {"3-3"};
    std::vector<LeftCopy> copies = claimLeftCopies(root, root / "own", claims);

    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[0].folder, root / "2-2");
    EXPECT_EQ(copies[0].description.documentName, "表格2");
    EXPECT_EQ(copies[1].folder, root / "1-1");
    EXPECT_EQ(copies[1].description.originalPath, "/a.bge");
    EXPECT_EQ(claims.held, (std::set<std::string>{"1-1", "2-2"}));

    EXPECT_TRUE(fs::exists(root / "3-3" / kCopyFileName)) << "a running editor's copy is left alone";
    EXPECT_TRUE(fs::exists(root / "own" / kCopyFileName));
    EXPECT_FALSE(fs::exists(root / "no-table")) << "a description without its copy is cleared away";
    EXPECT_FALSE(fs::exists(root / "empty"));
    EXPECT_TRUE(claims.released.contains("empty"));
    EXPECT_TRUE(fs::exists(root / "stray-file"));
}

TEST(RecoveryFoldersTest, AMissingRootHoldsNoCopies) {
    TempDir directory;
    TableClaims claims;
    EXPECT_TRUE(claimLeftCopies(directory.path() / "missing", {}, claims).empty());
}

TEST(RecoveryFoldersTest, CopiesAreRemovedMovedAndTheirFoldersLetGo) {
    TempDir directory;
    const fs::path& root = directory.path();
    RecoveryDescription description{"", "表格1", "2026-12-09 10:31:05"};
    leaveCopy(root / "dead", description);
    fs::create_directory(root / "own");

    ASSERT_TRUE(moveCopy(root / "dead", root / "own"));
    EXPECT_EQ(readRecoveryDescription(root / "own" / kDescriptionFileName), description);
    EXPECT_EQ(readWholeFile((root / "own" / kCopyFileName).string()), "SDmR table of 表格1");
    EXPECT_FALSE(fs::exists(root / "dead" / kCopyFileName));
    EXPECT_FALSE(moveCopy(root / "dead", root / "own")) << "nothing left to move";
    EXPECT_TRUE(fs::exists(root / "own" / kCopyFileName));

    // A description moves back when its copy cannot follow.
    leaveCopy(root / "blocked", description);
    fs::create_directory(root / "target");
    fs::create_directory(root / "target" / kCopyFileName);
    writeWholeFile((root / "target" / kCopyFileName / "inside").string(), "x");
    EXPECT_FALSE(moveCopy(root / "blocked", root / "target"));
    EXPECT_TRUE(fs::exists(root / "blocked" / kDescriptionFileName));
    EXPECT_FALSE(fs::exists(root / "target" / kDescriptionFileName));

    removeCopy(root / "own");
    EXPECT_TRUE(fs::is_empty(root / "own"));

    TableClaims claims;
    claims.claim(root / "dead");
    removeFolder(root / "dead", claims);
    EXPECT_FALSE(fs::exists(root / "dead"));
    EXPECT_TRUE(claims.held.empty());
}

TEST(SerialWorkerTest, RunsJobsInOrderOnItsOwnThreadAndFinishesThemBeforeItEnds) {
    std::vector<int> order;
    std::atomic<bool> elsewhere{true};
    const std::thread::id caller = std::this_thread::get_id();
    {
        SerialWorker worker;
        for (int job = 0; job < 100; ++job) {
            worker.post([&, job] {
                if (std::this_thread::get_id() == caller) elsewhere = false;
                order.push_back(job);
            });
        }
        worker.drain();
        EXPECT_EQ(order.size(), 100u);
        for (int job = 100; job < 200; ++job) worker.post([&, job] { order.push_back(job); });
    }
    ASSERT_EQ(order.size(), 200u) << "jobs still waiting run before the worker ends";
    for (int job = 0; job < 200; ++job) EXPECT_EQ(order[static_cast<size_t>(job)], job);
    EXPECT_TRUE(elsewhere);
}

}  // namespace
