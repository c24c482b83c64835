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
    // A "calc" of its own may be a console program that shows no window: the desktop's
    // calculators go first, the name itself only when there is none.
    installProgram("calc");
    EXPECT_EQ(rt::shellTargetFor(QStringLiteral("calc"), {}).program, QString::fromStdString(dir.file("calc")));
    installProgram("xcalc");
    EXPECT_EQ(rt::shellTargetFor(QStringLiteral("calc"), {}).program, QString::fromStdString(dir.file("xcalc")));
}

// A default editor whose entry starts it through a wrapper opens the file only when
// the whole line runs.
TEST(DesktopEntryCommand, RunsTheWholeExecLineWithTheFilesInTheirPlace) {
    const QStringList files{QStringLiteral("a.txt"), QStringLiteral("b c.txt")};
    struct Case {
        const char16_t* exec;
        QStringList command;
    };
    const Case cases[] = {
        {u"flatpak run org.example.Editor %U",
         {u"flatpak"_qs, u"run"_qs, u"org.example.Editor"_qs, u"a.txt"_qs, u"b c.txt"_qs}},
        {u"env LANG=C gedit %f", {u"env"_qs, u"LANG=C"_qs, u"gedit"_qs, u"a.txt"_qs}},
        {u"mousepad", {u"mousepad"_qs, u"a.txt"_qs, u"b c.txt"_qs}},
        {u"\"/opt/my editor/run\" --new %F %i %%x", {u"/opt/my editor/run"_qs, u"--new"_qs, u"a.txt"_qs, u"b c.txt"_qs, u"%x"_qs}},
        {u"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rt::desktopEntryCommand(QString::fromUtf16(c.exec), files), c.command) << QString::fromUtf16(c.exec).toStdString();
    }
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
