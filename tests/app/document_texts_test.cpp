// The plain rules behind documents: title texts, backup names, command-line names
// and the registry store's key paths.
#include <gtest/gtest.h>

#include "app/document/document_paths.h"
#include "app/document/title_texts.h"
#include "app/state/command_line.h"
#include "runtime/platform/registry_store.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace app;

TEST(UnscrambleText, DealsTheEvenThenOddBytesBackInThrees) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""}, {"a", "a"}, {"ab", "ab"}, {"abcd", "dbca"}, {"abcdefg", "fbeadgc"},
    };
    for (const auto& [stored, plain] : cases) EXPECT_EQ(unscrambleText(stored), plain) << stored;
    EXPECT_EQ(applicationTitle(), "电子表格");
    EXPECT_EQ(startUpCaptionText(), "欢迎使用");
}

// A table keeps the backup name it always had; templates, backups and names without
// an extension get names of their own, so a.bge, a.mob and a never share one.
TEST(BackupPath, KeepsDirectoryAndGivesEveryFileOfAFolderItsOwnBackup) {
    const std::pair<std::string, std::string> cases[] = {
        {"/work/a.b.bge", "/work/a.b.bfe"},
        {"/work/表格.bge", "/work/表格.bfe"},
        {"x.bge", "x.bfe"},
        {"/work/a.mob", "/work/a.mob.bfe"},
        {"/work.d/readme", "/work.d/readme..bfe"},
        {"/work/a.bfe", "/work/a.bfe.bfe"},
        {"/work/a.BGE", "/work/a.BGE.bfe"},
    };
    for (const auto& [table, backup] : cases) EXPECT_EQ(backupPathFor(table), backup) << table;
    EXPECT_EQ(splitPath("/a/b.bge").directory, "/a/");
    EXPECT_EQ(splitPath("/a/b.bge").fileName, "b.bge");
}

TEST(FileArgument, LosesOneQuotePairAndBecomesAbsolute) {
    EXPECT_EQ(fileArgumentText("\"/t/a b.bge\"", "/home"), "/t/a b.bge");
    EXPECT_EQ(fileArgumentText("../t/x.bge", "/home/u"), "/home/t/x.bge");
    EXPECT_EQ(fileArgumentText("\"", "/home"), "/home/\"");
}

TEST(RegistryStore, KeyPathsIgnoreCaseAndTheTrailingSeparator) {
    TempDir folder;
    rt::RegistryStore registry(folder.path() / "classes.reg");
    EXPECT_EQ(registry.defaultValue("plomut\\shell\\open\\command\\"), std::nullopt);
    ASSERT_TRUE(registry.setDefaultValue("plomut\\shell\\open\\command\\", "\"/p/biaoge\" \"%1\""));
    EXPECT_EQ(registry.defaultValue("PLOMUT\\Shell\\Open\\Command"), "\"/p/biaoge\" \"%1\"");
    ASSERT_TRUE(registry.setDefaultValue("plomut\\", ""));
    EXPECT_EQ(registry.defaultValue("plomut"), "");
    // 誠 ends in the byte of a backslash; it is no separator.
    EXPECT_EQ(rt::normalisedKeyPath("誠\\"), "誠");
    EXPECT_FALSE(registry.setDefaultValue("\\", "x"));
    EXPECT_FALSE(registry.setDefaultValue("a=b\\", "x"));
}

}  // namespace
