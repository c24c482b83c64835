// Tables opened from shared folders such as /tmp: what lies beside them may have been
// put there by someone else, to make the editor write over one of the person's files.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <string>

#include "grid/format/table_file_io.h"
#include "grid/format/write_target.h"
#include "tests/grid/support/table_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr uid_t kSomeoneElse = 65534;

mode_t modeOf(const std::string& path) {
    struct stat status;
    return ::lstat(path.c_str(), &status) == 0 ? status.st_mode : 0;
}

bool isTable(const std::string& path) { return readWholeFile(path).substr(0, 4) == "SDmR"; }

// What another user's files look like needs root, who may give a file away.
#define SKIP_UNLESS_ROOT() \
    if (::geteuid() != 0) GTEST_SKIP() << "only root can make files of another user"

TEST(SharedFolderTest, TheBackupIsWrittenOnlyOverThePersonsOwnRegularFile) {
    TempDir directory;
    const std::string original = directory.file("report.bge");
    const std::string backup = directory.file("report.bfe");
    const std::string victim = directory.file("bashrc");
    TableFixture table(2, 2);
    ASSERT_TRUE(grid::saveTableFile(table.source, original));
    writeWholeFile(victim, "the person's own settings");

    fs::create_symlink(victim, backup);
    EXPECT_FALSE(grid::saveBackupFile(table.source, backup, original)) << "written through a planted link";
    EXPECT_EQ(readWholeFile(victim), "the person's own settings");
    EXPECT_TRUE(fs::is_symlink(backup));

    fs::remove(backup);
    ASSERT_EQ(::mkfifo(backup.c_str(), 0666), 0);
    EXPECT_FALSE(grid::saveBackupFile(table.source, backup, original)) << "a FIFO replaced";
    EXPECT_TRUE(S_ISFIFO(modeOf(backup)));

    fs::remove(backup);
    writeWholeFile(backup, "an older backup of the person's");
    EXPECT_TRUE(grid::saveBackupFile(table.source, backup, original));
    EXPECT_TRUE(isTable(backup));

    if (::geteuid() == 0) {
        writeWholeFile(backup, "someone else's file");
        ASSERT_EQ(::chown(backup.c_str(), kSomeoneElse, kSomeoneElse), 0);
        EXPECT_FALSE(grid::saveBackupFile(table.source, backup, original)) << "another user's file replaced";
        EXPECT_EQ(readWholeFile(backup), "someone else's file");
    }
}

// A private table keeps a private backup; bits that make a program run as its owner
// never spread to a file we write.
TEST(SharedFolderTest, WrittenFilesTakeTheirPermissionsWithoutSpecialBits) {
    TempDir directory;
    const std::string original = directory.file("private.bge");
    TableFixture table(1, 1);
    ASSERT_TRUE(grid::saveTableFile(table.source, original));

    ASSERT_EQ(::chmod(original.c_str(), 0600), 0);
    ASSERT_TRUE(grid::saveBackupFile(table.source, directory.file("private.bfe"), original));
    EXPECT_EQ(modeOf(directory.file("private.bfe")) & 07777, 0600u);

    ASSERT_EQ(::chmod(original.c_str(), 06750 | S_ISVTX), 0);
    ASSERT_TRUE(grid::saveBackupFile(table.source, directory.file("private.bfe"), original));
    EXPECT_EQ(modeOf(directory.file("private.bfe")) & 07777, 0750u);

    ASSERT_TRUE(grid::saveTableFile(table.source, original));
    EXPECT_EQ(modeOf(original) & 07777, 0750u) << "a save kept the set-id bits";
}

// The rule the kernel's protected-symlinks setting applies: in a sticky folder that
// everyone may write, follow a link only when it is ours or the folder owner's.
TEST(SharedFolderTest, ASaveRefusesALinkThatSomeoneElsePutIntoASharedFolder) {
    SKIP_UNLESS_ROOT();
    struct Case {
        const char* what;
        mode_t folderMode;
        uid_t folderOwner;
        uid_t linkOwner;
        bool refused;
    };
    const Case cases[] = {
        {"another user's link in a sticky shared folder", 01777, 0, kSomeoneElse, true},
        {"our own link in a sticky shared folder", 01777, 0, 0, false},
        {"the folder owner's link", 01777, kSomeoneElse, kSomeoneElse, false},
        {"another user's link in a folder that is not sticky", 0777, 0, kSomeoneElse, false},
        {"another user's link in a folder only its owner writes", 01755, 0, kSomeoneElse, false},
    };
    for (const Case& c : cases) {
        TempDir home;
        TempDir shared;
        const std::string victim = home.file("bashrc");
        const std::string link = shared.file("report.bge");
        writeWholeFile(victim, "the person's own settings");
        fs::create_symlink(victim, link);
        ASSERT_EQ(::lchown(link.c_str(), c.linkOwner, c.linkOwner), 0);
        ASSERT_EQ(::chown(shared.path().c_str(), c.folderOwner, c.folderOwner), 0);
        ASSERT_EQ(::chmod(shared.path().c_str(), c.folderMode), 0);

        TableFixture table(1, 1);
        EXPECT_EQ(grid::saveTableFile(table.source, link), !c.refused) << c.what;
        EXPECT_EQ(isTable(victim), !c.refused) << c.what;
        EXPECT_TRUE(fs::is_symlink(link)) << c.what;
        EXPECT_EQ(grid::isForeignLinkInSharedFolder(link), c.refused) << c.what;
        const std::string message = grid::refusedTargetMessage(link);
        EXPECT_EQ(message.find(link) != std::string::npos, c.refused) << c.what << ": " << message;
        ASSERT_EQ(::chown(shared.path().c_str(), 0, 0), 0);
    }
}

// Opening a FIFO for reading waits for a writer that never comes; the table's reader
// must give up at once instead.
TEST(SharedFolderTest, ATableNamedByAFifoIsRefusedWithoutWaiting) {
    TempDir directory;
    const std::string fifo = directory.file("hang.bge");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    TableFixture table(1, 1);
    auto loading = std::async(std::launch::async, [&] { return grid::loadTableFile(table.source, fifo); });
    if (loading.wait_for(std::chrono::seconds(3)) != std::future_status::ready) {
        // A writer that comes and goes lets the stuck reading end.
        ::close(::open(fifo.c_str(), O_RDWR | O_NONBLOCK));
        loading.wait();
        FAIL() << "loading waited on the FIFO";
    }
    EXPECT_EQ(loading.get(), grid::ReadError::CannotOpen);
    EXPECT_EQ(grid::loadTableFile(table.source, "/dev/zero"), grid::ReadError::CannotOpen);
}

}  // namespace
