#include <gtest/gtest.h>

#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/record_set.h"
#include "tests/grid/odbc/test_database.h"
#include "tests/grid/odbc/test_tables.h"

using namespace grid::odbc;

TEST(Reconnect, AfterTheServerRestartedTheRecordSetIsOpenedAgain) {
    QtTextCodec codec;
    std::string whyNot;
    std::unique_ptr<TestDatabase> test = TestDatabase::create(Backend::postgres, whyNot);
    if (!test) {
        GTEST_SKIP() << whyNot;
    }
    createNumbers(*test, u"大表", 2000, true);
    Database database(codec);
    ASSERT_TRUE(database.open(test->connection()));
    RecordSet records(database);
    ASSERT_TRUE(records.open("select * from 大表"));
    EXPECT_EQ(records.fieldText(0, 1), "3");

    ASSERT_TRUE(test->restartServer());
    // What was fetched stays readable; the next fetch finds the connection gone.
    EXPECT_EQ(records.fieldText(0, 1), "3");
    EXPECT_EQ(records.fieldText(1999, 1), std::nullopt);
    EXPECT_TRUE(database.isLost());
    EXPECT_FALSE(database.alive());
    EXPECT_FALSE(records.lastError().empty());
    EXPECT_FALSE(records.setFieldText(0, 1, "9"));
    EXPECT_NE(records.lastError().find("连接已断开"), std::string::npos) << readable(records.lastError());

    ASSERT_TRUE(records.reconnect()) << readable(records.lastError());
    EXPECT_TRUE(database.alive());
    EXPECT_EQ(records.recordCount(), 2000);
    EXPECT_EQ(records.fieldText(1999, 1), "6000");
    ASSERT_TRUE(records.setFieldText(0, 1, "9")) << readable(records.lastError());
    EXPECT_EQ(test->value(u"select 值 from 大表 where 编号 = 1"), u"9");
}

TEST(Reconnect, WithoutAnEarlierOpenThereIsNothingToReconnect) {
    QtTextCodec codec;
    Database database(codec);
    RecordSet records(database);
    EXPECT_FALSE(database.reconnect());
    EXPECT_FALSE(database.lastError().empty());
    EXPECT_FALSE(records.reconnect());
}
