// Saving never destroys the previous file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "grid/format/table_file_commands.h"
#include "grid/format/table_file_io.h"
#include "runtime/value/call.h"
#include "runtime/value/file_name.h"
#include "tests/grid/support/table_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

size_t entriesIn(const std::filesystem::path& directory) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(directory), {}));
}

TEST(SaveTest, AWriteThatFailsHalfwayLeavesTheOldFileAndNoTemporaryFile) {
    TempDir directory;
    std::string target = directory.file("table.bge");
    writeWholeFile(target, "the previous table");
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Files may grow to 4 KiB only: the 4096-byte buffer flushes once and the rest fails.
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        TableFixture table(200, 10);
        for (int row = 0; row < 200; ++row) table.source.setCellText(row, 0, "some text in the first column");
        _exit(grid::saveTableFile(table.source, target) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save reported success";
    EXPECT_EQ(readWholeFile(target), "the previous table");
    EXPECT_EQ(entriesIn(directory.path()), 1u);
}

TEST(SaveTest, ASuccessfulSaveReplacesTheFileAndKeepsItsPermissions) {
    TempDir directory;
    std::string target = directory.file("table.bge");
    writeWholeFile(target, "old");
    chmod(target.c_str(), 0640);
    TableFixture table(2, 2);
    ASSERT_TRUE(grid::saveTableFile(table.source, target));
    struct stat status;
    ASSERT_EQ(stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(readWholeFile(target).substr(0, 4), "SDmR");
    EXPECT_EQ(entriesIn(directory.path()), 1u);
}

TEST(SaveTest, SavingThroughALinkReplacesTheFileItPointsAt) {
    TempDir directory;
    writeWholeFile(directory.file("real.bge"), "old");
    std::filesystem::create_symlink("real.bge", directory.file("link.bge"));
    TableFixture table(1, 1);
    ASSERT_TRUE(grid::saveTableFile(table.source, directory.file("link.bge")));
    EXPECT_TRUE(std::filesystem::is_symlink(directory.file("link.bge")));
    EXPECT_EQ(readWholeFile(directory.file("real.bge")).substr(0, 4), "SDmR");
}

TEST(SaveTest, ImpossibleTargetsFailWithoutLeavingAnything) {
    TempDir directory;
    std::filesystem::create_directory(directory.file("folder"));
    TableFixture table(1, 1);
    EXPECT_FALSE(grid::saveTableFile(table.source, ""));
    EXPECT_FALSE(grid::saveTableFile(table.source, directory.file("missing/table.bge")));
    EXPECT_FALSE(grid::saveTableFile(table.source, directory.file("folder")));
    EXPECT_TRUE(std::filesystem::is_directory(directory.file("folder")));
    EXPECT_EQ(entriesIn(directory.path()), 1u);
    grid::DataSrc unbound;
    EXPECT_FALSE(grid::saveTableFile(unbound, directory.file("t.bge")));
}

// A kept table is written on another thread while the live one goes on changing: the
// file must hold the table as it was kept, whatever the live table did meanwhile.
TEST(SaveTest, AKeptTableSavesWhatItHeldWhileTheLiveTableChanges) {
    TempDir directory;
    TableFixture table(3000, 8);
    for (int row = 0; row < 3000; ++row) {
        for (int column = 0; column < 8; ++column) table.source.setCellText(row, column, "kept " + std::to_string(row));
    }
    table.source.mergeCells({1, 1, 2, 2});
    table.source.setColumnWidth(3, 1, 777);
    table.provider.setFixedRows(1);
    ASSERT_TRUE(grid::saveTableFile(table.source, directory.file("live.bge")));
    std::shared_ptr<const grid::Table> kept = table.provider.captureTable();
    ASSERT_TRUE(kept);

    std::thread writer([&] { grid::saveTableFile(*kept, directory.file("kept.bge")); });
    for (int row = 0; row < 3000; ++row) table.source.setCellText(row, row % 8, "changed");
    table.source.insertRows(0, 5);
    table.source.setColumnWidth(0, 8, 123);
    writer.join();

    EXPECT_EQ(readWholeFile(directory.file("kept.bge")), readWholeFile(directory.file("live.bge")));
    EXPECT_EQ(table.text(5, 0), "changed");
}

TEST(SaveTest, AKeptTableFailsLikeTheLiveOneOnImpossibleTargets) {
    TempDir directory;
    TableFixture table(1, 1);
    std::shared_ptr<const grid::Table> kept = table.provider.captureTable();
    EXPECT_FALSE(grid::saveTableFile(*kept, ""));
    EXPECT_FALSE(grid::saveTableFile(*kept, directory.file("missing/table.bge")));
    EXPECT_EQ(entriesIn(directory.path()), 0u);
}

}  // namespace

namespace {

rt::CommandRoutine fileCommand(std::string_view name) {
    for (const grid::NamedCommand& command : grid::tableFileCommands()) {
        if (command.name == name) return command.routine;
    }
    return nullptr;
}

// The commands take GBK texts; the file on disk carries the name in UTF-8, the way
// the file dialog and every other program shows it.
TEST(SaveTest, CommandsNameFilesInTheFileSystemsEncoding) {
    TempDir directory;
    TableFixture table(2, 2);
    table.source.setCellText(0, 0, "项目");
    std::string gbkName = rt::textFromPath(directory.path()) + "/项目.bge";
    rt::Value save = rt::callCommand(fileCommand("saveToFile"), {table.unit.toValue(), rt::Value::text(gbkName.c_str())});
    EXPECT_TRUE(save.low);
    EXPECT_TRUE(std::filesystem::exists(directory.path() / "\xE9\xA1\xB9\xE7\x9B\xAE.bge"));

    TableFixture other(1, 1);
    rt::Value load = rt::callCommand(fileCommand("loadFromFile"), {other.unit.toValue(), rt::Value::text(gbkName.c_str())});
    EXPECT_TRUE(load.low);
    EXPECT_EQ(other.text(0, 0), "项目");
}

}  // namespace
