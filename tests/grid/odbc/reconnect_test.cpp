#include <gtest/gtest.h>

#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/record_set.h"
#include "tests/grid/odbc/test_database.h"
#include "tests/grid/odbc/test_tables.h"

using namespace grid::odbc;

namespace {

// A connection to the private PostgreSQL server, the one database whose server the
// tests can restart under the connection.
class Reconnect : public ::testing::Test {
protected:
    void SetUp() override {
        std::string whyNot;
        test_ = TestDatabase::create(Backend::postgres, whyNot);
        if (!test_) {
            GTEST_SKIP() << whyNot;
        }
        ASSERT_TRUE(database_.open(test_->connection()));
    }

    // 大表 of 2,000 rows with a key, opened.
    void openBigTable() {
        createNumbers(*test_, u"大表", 2000, true);
        ASSERT_TRUE(records_.open("select * from 大表"));
    }

    QtTextCodec codec_;
    std::unique_ptr<TestDatabase> test_;
    Database database_{codec_};
    RecordSet records_{database_};
};

}  // namespace

TEST_F(Reconnect, AWriteAfterTheServerRestartedOpensTheConnectionAgain) {
    openBigTable();
    EXPECT_EQ(records_.fieldText(0, 1), "3");

    ASSERT_TRUE(test_->restartServer());
    // What was fetched stays readable; the next fetch finds the connection gone.
    EXPECT_EQ(records_.fieldText(0, 1), "3");
    EXPECT_EQ(records_.fieldText(1999, 1), std::nullopt);
    EXPECT_TRUE(database_.isLost());
    EXPECT_FALSE(records_.lastError().empty());

    ASSERT_TRUE(records_.setFieldText(0, 1, "9")) << readable(records_.lastError());
    EXPECT_TRUE(database_.alive());
    int32_t row = -1;
    EXPECT_EQ(records_.shownAgain(row), RecordSet::ShownAgain::allRows);
    EXPECT_EQ(test_->value(u"select 值 from 大表 where 编号 = 1"), u"9");
    EXPECT_EQ(records_.recordCount(), 2000);
    EXPECT_EQ(records_.fieldText(0, 1), "9");
    EXPECT_EQ(records_.fieldText(1999, 1), "6000");
}

// While the connection was down others changed the table, so that the rows read
// again stand in another order: each write still reaches the record the person saw,
// with and without a primary key.
TEST_F(Reconnect, AWriteAfterAReconnectFindsItsRecordWhateverTheNewOrder) {
    for (bool withKey : {true, false}) {
        SCOPED_TRACE(withKey ? "with a key" : "without a key");
        test_->run(u"drop table if exists 排序表");
        createNumbers(*test_, u"排序表", 300, withKey);
        ASSERT_TRUE(records_.open("select * from 排序表 order by 值"));
        ASSERT_EQ(records_.fieldText(0, 2), "第1行");
        ASSERT_EQ(records_.fieldText(1, 2), "第2行");

        ASSERT_TRUE(test_->restartServer());
        test_->run(u"insert into 排序表 values (0, 0, '新来的')");
        // With a key, a row not read yet makes the loss known before the write; the
        // driver holds every row of a query without one, and the write finds the loss.
        if (withKey) {
            EXPECT_EQ(records_.fieldText(250, 2), std::nullopt);
        }
        ASSERT_TRUE(records_.setFieldText(0, 2, "改过")) << readable(records_.lastError());
        EXPECT_EQ(test_->value(u"select 名称 from 排序表 where 编号 = 1"), u"改过");
        EXPECT_EQ(test_->value(u"select 名称 from 排序表 where 编号 = 0"), u"新来的");
        // The grid now shows the rows as read again.
        EXPECT_EQ(records_.recordCount(), 301);
        EXPECT_EQ(records_.fieldText(0, 2), "新来的");

        ASSERT_TRUE(test_->restartServer());
        test_->run(u"insert into 排序表 values (-1, -1, '又来的')");
        // Rows 1 and 2 as shown are records 1 and 2.
        ASSERT_TRUE(records_.removeRows(1, 2)) << readable(records_.lastError());
        EXPECT_EQ(test_->value(u"select count(*) from 排序表 where 编号 in (1, 2)"), u"0");
        EXPECT_EQ(test_->value(u"select count(*) from 排序表 where 编号 in (-1, 0)"), u"2");
        EXPECT_EQ(records_.recordCount(), 300);
        EXPECT_EQ(records_.fieldText(0, 2), "又来的");
        EXPECT_EQ(records_.fieldText(2, 2), "第3行");
    }
}

TEST_F(Reconnect, AWriteWhoseRowWasNeverReadIsRefusedWhileTheConnectionIsDown) {
    openBigTable();
    ASSERT_TRUE(test_->restartServer());
    // Nothing tells which record row 1999 holds, so nothing is written; the rows are
    // read again on a new connection, and the write can then be made.
    EXPECT_FALSE(records_.setFieldText(1999, 1, "-5"));
    EXPECT_EQ(test_->value(u"select count(*) from 大表 where 值 = -5"), u"0");
    int32_t row = -1;
    EXPECT_EQ(records_.shownAgain(row), RecordSet::ShownAgain::allRows);
    EXPECT_TRUE(database_.alive());
    EXPECT_EQ(records_.fieldText(1999, 1), "6000");
    ASSERT_TRUE(records_.setFieldText(1999, 1, "-5")) << readable(records_.lastError());
    EXPECT_EQ(test_->value(u"select 值 from 大表 where 编号 = 2000"), u"-5");
}

TEST(ReconnectWithoutServer, WithoutAnEarlierOpenThereIsNothingToReconnect) {
    QtTextCodec codec;
    Database database(codec);
    EXPECT_FALSE(database.reconnect());
    EXPECT_FALSE(database.lastError().empty());
}
