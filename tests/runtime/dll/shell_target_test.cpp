#include "runtime/dll/shell_target.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

namespace {

class ShellTargetTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedPath = std::getenv("PATH");
        setenv("PATH", dir.path().c_str(), 1);
    }
    void TearDown() override { setenv("PATH", savedPath.c_str(), 1); }

    void installProgram(const std::string& name) {
        writeWholeFile(dir.file(name), "#!/bin/sh\n");
        std::filesystem::permissions(dir.file(name), std::filesystem::perms::owner_all);
    }

    TempDir dir;
    std::string savedPath;
};

TEST_F(ShellTargetTest, WindowsProgramNamesMapToInstalledEquivalents) {
    installProgram("mousepad");
    rt::ShellTarget notepad = rt::shellTargetFor(QStringLiteral("NOTEPAD"), QStringLiteral("a.txt \"b c\""));
    EXPECT_EQ(notepad.kind, rt::ShellTarget::Kind::Program);
    EXPECT_EQ(notepad.program, QString::fromStdString(dir.file("mousepad")));
    EXPECT_EQ(notepad.arguments, (QStringList{QStringLiteral("a.txt"), QStringLiteral("b c")}));
    EXPECT_EQ(rt::shellTargetFor(QStringLiteral("notepad.exe"), {}).kind, rt::ShellTarget::Kind::Program);
    // No calculator is installed in this PATH: nothing to start, and no error shown.
    EXPECT_EQ(rt::shellTargetFor(QStringLiteral("calc"), {}).kind, rt::ShellTarget::Kind::None);
    installProgram("xcalc");
    EXPECT_EQ(rt::shellTargetFor(QStringLiteral("calc"), {}).program, QString::fromStdString(dir.file("xcalc")));
}

TEST_F(ShellTargetTest, AddressesAndDocuments) {
    EXPECT_EQ(rt::shellTargetFor(QStringLiteral("http://example.com/help"), {}).kind, rt::ShellTarget::Kind::Address);
    EXPECT_EQ(rt::shellTargetFor(QStringLiteral("www.example.com"), {}).kind, rt::ShellTarget::Kind::Address);
    EXPECT_EQ(rt::shellTargetFor(QStringLiteral("mailto:a@example.com"), {}).kind, rt::ShellTarget::Kind::Address);
    writeWholeFile(dir.file("readme.txt"), "x");
    rt::ShellTarget document = rt::shellTargetFor(QString::fromStdString(dir.file("readme.txt")), {});
    EXPECT_EQ(document.kind, rt::ShellTarget::Kind::File);
    EXPECT_EQ(rt::shellTargetFor(QString(), {}).kind, rt::ShellTarget::Kind::None);
}

}  // namespace
