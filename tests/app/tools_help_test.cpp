// The tools and help menus: the system programs, the about window and its texts.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <filesystem>
#include <string>

#include "app/application.h"
#include "app/routines/routine.h"
#include "app/tools/about_texts.h"
#include "app/window_ids.h"
#include "program_version.h"
#include "runtime/platform/gbk_codec.h"
#include "tests/app/dialog_driver.h"
#include "tests/app/main_window_start.h"
#include "tests/app/modal_responder.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace app;
using namespace dialog_driver;

TEST(AboutTexts, HexTextReadsTheEvenDigitsFirstAndALoneLastDigitAsAByte) {
    // "14" deals into "41": the letter A.
    EXPECT_EQ(unscrambleHexText("14"), "A");
    // "123" deals into "213": 0x21, then the lone 3.
    EXPECT_EQ(unscrambleHexText("123"), std::string("!\x03", 2));
    EXPECT_EQ(unscrambleHexText(""), "");
    // The stored texts read back as an address and a mail link of the project.
    EXPECT_TRUE(homePageAddress().starts_with("https://"));
    EXPECT_TRUE(contactLinkTarget().starts_with("mailto:"));
    EXPECT_NE(contactText().find("@"), std::string::npos);
}

class ToolsHelpTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initialiseRuntime(); }
    void SetUp() override {
        ASSERT_TRUE(startMainWindow());
        savedPath = std::getenv("PATH");
        setenv("PATH", folder.path().c_str(), 1);
    }
    void TearDown() override {
        setenv("PATH", savedPath.c_str(), 1);
        closeMainWindow({window_id::AboutDialog, window_id::HelpDialog});
    }

    TempDir folder;
    std::string savedPath;
};

TEST_F(ToolsHelpTest, TheAboutWindowShowsTheVersionOfThisBuild) {
    open(window_id::AboutDialog);
    EXPECT_EQ(rt::toGbk(unitWidget<QLabel>(window_id::AboutDialog, "标签_版本")->text()),
              "版本：" + std::string(kProgramVersion));
    EXPECT_EQ(kProgramVersion, "0.9.0");
    EXPECT_TRUE(unitWidget<QLabel>(window_id::AboutDialog, "链接框_主页")->text().contains(QStringLiteral("主页：https://")));
    pressButton(window_id::AboutDialog, u"确定");
    EXPECT_FALSE(isOpen(window_id::AboutDialog));
}

TEST_F(ToolsHelpTest, AToolThatCannotBeFoundSaysWhatWasTried) {
    ModalResponder responder;
    responder.pressButton(u"确定");
    routines::openCalculator({});
    ASSERT_EQ(responder.seen().size(), 1u);
    EXPECT_EQ(responder.seen()[0].caption, QStringLiteral("计算器"));
    EXPECT_TRUE(responder.seen()[0].text.contains(QStringLiteral("gnome-calculator、kcalc")))
        << responder.seen()[0].text.toStdString();
}

TEST_F(ToolsHelpTest, TheFirstInstalledEquivalentStartsWithoutAWord) {
    // A stand-in calculator that leaves a mark when it runs.
    std::string marker = folder.file("started");
    writeWholeFile(folder.file("xcalc"), "#!/bin/sh\n: > '" + marker + "'\n");
    std::filesystem::permissions(folder.file("xcalc"), std::filesystem::perms::owner_all);
    ModalResponder responder;
    routines::openCalculator({});
    for (int wait = 0; wait < 200 && !std::filesystem::exists(marker); ++wait) QTest::qWait(10);
    EXPECT_TRUE(std::filesystem::exists(marker));
    EXPECT_TRUE(responder.seen().empty());
}

}  // namespace
