#include "runtime/platform/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "runtime/platform/settings_location.h"
#include "tests/support/temp_dir.h"

namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.file("biaoge.ini");
    rt::ProfileFile profile{path};
};

TEST_F(ProfileFileTest, MissingFileSectionOrKeyGivesTheFallback) {
    EXPECT_EQ(profile.read("表格", "行数", "30"), "30");
    writeWholeFile(path, "[表格]\r\n列数=8\r\n");
    EXPECT_EQ(profile.read("表格", "行数", "30"), "30");
    EXPECT_EQ(profile.read("存储", "列数", "x"), "x");
    EXPECT_EQ(profile.read("表格", "列数", "x"), "8");
}

TEST_F(ProfileFileTest, WriteCreatesFileAndSection) {
    ASSERT_TRUE(profile.write("表格", "行数", "30"));
    EXPECT_EQ(readWholeFile(path), "[表格]\r\n行数=30\r\n");
    ASSERT_TRUE(profile.write("数据库", "连接", "DSN=x"));
    EXPECT_EQ(readWholeFile(path), "[表格]\r\n行数=30\r\n[数据库]\r\n连接=DSN=x\r\n");
    EXPECT_EQ(profile.read("数据库", "连接", ""), "DSN=x");
}

TEST_F(ProfileFileTest, WriteChangesOnlyItsOwnLine) {
    const std::string original =
        "; settings\n[表格]\n行数 = 30\n\n列数=8   \n\n[存储]\r\n行数=1\r\nno equals sign\n";
    writeWholeFile(path, original);
    ASSERT_TRUE(profile.write("表格", "行数", "40"));
    std::string expected = original;
    expected.replace(expected.find("行数 = 30"), std::string("行数 = 30").size(), "行数=40");
    EXPECT_EQ(readWholeFile(path), expected);

    // A new key goes after the section's last non-blank line, with the file's ending.
    ASSERT_TRUE(profile.write("表格", "窗口宽", "800"));
    expected.insert(expected.find("列数=8   \n") + std::string("列数=8   \n").size(), "窗口宽=800\n");
    EXPECT_EQ(readWholeFile(path), expected);
    EXPECT_EQ(profile.read("存储", "行数", ""), "1");
}

TEST_F(ProfileFileTest, NamesCompareWithoutLetterCase) {
    writeWholeFile(path, "[Table]\nRows=5\n[ＡＢ]\nｋ=full\n");
    EXPECT_EQ(profile.read("TABLE", "rows", ""), "5");
    EXPECT_EQ(profile.read("ａｂ", "Ｋ", ""), "full");
    ASSERT_TRUE(profile.write("table", "ROWS", "6"));
    EXPECT_EQ(readWholeFile(path), "[Table]\nROWS=6\n[ＡＢ]\nｋ=full\n");
}

TEST_F(ProfileFileTest, SectionNamesWithBracketTrailBytes) {
    // 0x81 0x5D is one GBK character whose second byte is the closing bracket.
    const std::string section = "\x81\x5D" "x";
    writeWholeFile(path, "[" + section + "]\nk=v\n");
    EXPECT_EQ(profile.read(section, "k", ""), "v");
    EXPECT_EQ(profile.read("\x81", "k", "none"), "none");
}

TEST_F(ProfileFileTest, ReadTrimsBlanksAndOnePairOfQuotes) {
    writeWholeFile(path,
                   "[s]\na =  \"b c\"  \nq=''x''\nmixed=\"abc'\n;c=commented\nfirst=1\nfirst=2\n[s]\nlate=1\n");
    EXPECT_EQ(profile.read("s", "a", ""), "b c");
    EXPECT_EQ(profile.read("s", "q", ""), "'x'");
    EXPECT_EQ(profile.read("s", "mixed", ""), "\"abc'");
    EXPECT_EQ(profile.read("s", ";c", "none"), "none");
    EXPECT_EQ(profile.read("s", "first", ""), "1");
    EXPECT_EQ(profile.read("s", "late", "none"), "none");
}

TEST_F(ProfileFileTest, ValuesReadBackAsWritten) {
    const std::string values[] = {" lead", "trail ", "\"quoted\"", "'", "", "a=b", "行数\x81\x5D", "C:\\表格\\a.bge"};
    for (const std::string& value : values) {
        ASSERT_TRUE(profile.write("s", "k", value));
        EXPECT_EQ(profile.read("s", "k", "fallback"), value) << value;
    }
    ASSERT_TRUE(profile.write("s", "k", "two\r\nlines"));
    EXPECT_EQ(profile.read("s", "k", ""), "two  lines");
    EXPECT_EQ(profile.read("s", "lines", "none"), "none");
}

TEST_F(ProfileFileTest, MissingFinalLineEndIsAddedBeforeNewLines) {
    writeWholeFile(path, "[s]\nk=v");
    ASSERT_TRUE(profile.write("s", "n", "1"));
    EXPECT_EQ(readWholeFile(path), "[s]\nk=v\nn=1\n");
    writeWholeFile(path, "[s]\nk=v");
    ASSERT_TRUE(profile.write("t", "n", "1"));
    EXPECT_EQ(readWholeFile(path), "[s]\nk=v\n[t]\nn=1\n");
}

TEST_F(ProfileFileTest, WriteThatCannotHappenReportsFalse) {
    std::filesystem::create_directory(path);
    EXPECT_FALSE(profile.write("s", "k", "v"));
    EXPECT_EQ(profile.read("s", "k", "fallback"), "fallback");
}

TEST(SettingsLocation, ProgramDirectoryWhenWritableElseUserConfig) {
    TempDir dir;
    EXPECT_EQ(rt::settingsFilePath(dir.path()), dir.path() / "biaoge.ini");
    setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
    EXPECT_EQ(rt::settingsFilePath(dir.path() / "missing"), dir.path() / "config" / "biaoge" / "biaoge.ini");
    // An installed program keeps no settings in its system folder, even for root.
    EXPECT_EQ(rt::settingsFilePath("/usr/bin"), dir.path() / "config" / "biaoge" / "biaoge.ini");
    EXPECT_EQ(rt::settingsFilePath("/opt/biaoge/bin/"), dir.path() / "config" / "biaoge" / "biaoge.ini");
    unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
