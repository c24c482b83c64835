// The database commands against the private PostgreSQL server, as a person who signs in
// with a password uses them: connect from the remembered text, edit in the grid, have a
// wrong value refused, lose the server and carry on after it is back.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/application.h"
#include "app/routines/routine.h"
#include "app/settings/table_settings.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/platform/settings_location.h"
#include "runtime/value/program_location.h"
#include "tests/app/main_window_start.h"
#include "tests/app/modal_script.h"
#include "tests/app/user_directories.h"
#include "tests/grid/odbc/test_database.h"

namespace {

namespace fs = std::filesystem;
using namespace app;

class DatabaseServerStoryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        isolatedUserDirectories();
        initialiseRuntime();
    }
    void SetUp() override {
        std::string whyNot;
        server_ = TestDatabase::create(Backend::postgres, whyNot);
        if (!server_) GTEST_SKIP() << whyNot;
        server_->run(u"drop table if exists 库存");
        server_->run(u"create table 库存 (编号 integer primary key, 品名 varchar(20), 数量 integer, 到货 date)");
        server_->run(u"insert into 库存 values (1, '铅笔', 40, '2024-03-01'), (2, '钢笔', 5, '2023-11-20')");
        // The user of scripts/test-database whose password is "秘密pw".
        server_->run(u"grant all on 库存 to biaoge_pw");
        std::error_code ignored;
        fs::remove(settingsPath(), ignored);
        ASSERT_TRUE(startMainWindow());
    }
    void TearDown() override {
        if (!server_) return;
        closeMainWindow();
        std::error_code ignored;
        fs::remove(settingsPath(), ignored);
    }

    static fs::path settingsPath() { return rt::settingsFilePath(rt::programDirectory()); }
    static std::string remembered() { return settingsFile().read("数据库", "连接文本", ""); }
    // The server's connection text for the user with a password, without the password.
    std::string signedInUser() const {
        std::string text = server_->connection();
        size_t user = text.find("Username=") + 9;
        return text.replace(user, text.find(';', user) - user, "biaoge_pw");
    }

    std::unique_ptr<TestDatabase> server_;
};

TEST_F(DatabaseServerStoryTest, APasswordUserEditsRefusedValuesComeBackAndALostServerIsReopened) {
    settingsFile().write("数据库", "连接文本", signedInUser());
    Script script;
    typePassword(script, u"秘密pw");
    enterQuery(script, u"select * from 库存 order by 编号");
    routines::connectRecentDatabase({});
    EXPECT_TRUE(script.finished()) << script.unanswered().toStdString();
    DataSourceRef table = mainDataSource();
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.cellText(1, 2), "铅笔");
    EXPECT_EQ(table.cellText(2, 4), "2023年11月20日");
    EXPECT_EQ(rt::fromGbk(remembered()).indexOf(QStringLiteral("秘密")), -1) << remembered();

    table.setCellText(1, 2, "毛笔");
    table.setCellText(2, 4, "2024-5-6");
    EXPECT_EQ(server_->value(u"select 品名 from 库存 where 编号 = 1"), u"毛笔");
    EXPECT_EQ(server_->value(u"select 到货 from 库存 where 编号 = 2"), u"2024-05-06");

    pressOkOnBox(script, u"错误：");
    table.setCellText(1, 4, "明天");
    settle(script);
    ASSERT_EQ(script.boxTexts().size(), 1u);
    EXPECT_TRUE(script.boxTexts()[0].contains(QStringLiteral("明天"))) << script.boxTexts()[0].toStdString();
    EXPECT_EQ(table.cellText(1, 4), "2024年3月1日");
    EXPECT_EQ(server_->value(u"select 到货 from 库存 where 编号 = 1"), u"2024-03-01");

    // The first edit after the server went finds the connection gone, signs in again
    // with the password given at the start and makes the edit, without a word.
    ASSERT_TRUE(server_->restartServer());
    table.setCellText(2, 3, "6");
    settle(script);
    EXPECT_EQ(script.boxTexts().size(), 1u);
    EXPECT_EQ(server_->value(u"select 数量 from 库存 where 编号 = 2"), u"6");
    table.setCellText(2, 3, "7");
    EXPECT_EQ(server_->value(u"select 数量 from 库存 where 编号 = 2"), u"7");
    EXPECT_EQ(table.cellText(2, 3), "7");

    routines::disconnectDatabase({});
    EXPECT_EQ(appState().databaseConnected, 0);
    EXPECT_TRUE(script.unanswered().isEmpty()) << script.unanswered().toStdString();
}

}  // namespace
