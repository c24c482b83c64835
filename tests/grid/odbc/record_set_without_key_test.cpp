#include <gtest/gtest.h>

#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/record_set.h"
#include "tests/grid/odbc/test_database.h"

using namespace grid::odbc;

namespace {

// A table without any key: rows are found by all the values they had.
class RecordSetWithoutKey : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        database_->run(u"drop table if exists 无键表");
        database_->run(u"create table 无键表 (名称 varchar(20), 数量 integer, 备注 varchar(20) default '无')");
        ASSERT_TRUE(connection_.open(database_->connection())) << readable(connection_.lastError());
    }

    Database connection_{codec_};
};

}  // namespace

TEST_P(RecordSetWithoutKey, ARowIsWrittenAndRemovedByItsValuesNullsIncluded) {
    database_->run(u"insert into 无键表 values ('甲', 1, null), ('乙', 2, 'x'), ('丙', 3, null)");
    RecordSet records(connection_);
    ASSERT_TRUE(records.open("select * from 无键表"));
    EXPECT_TRUE(records.isWritable());
    ASSERT_TRUE(records.setFieldText(0, 1, "10")) << readable(records.lastError());
    EXPECT_EQ(database_->value(u"select 数量 from 无键表 where 名称 = '甲'"), u"10");
    // The second write finds the row by the value the first one wrote.
    ASSERT_TRUE(records.setFieldText(0, 2, "备注")) << readable(records.lastError());
    EXPECT_EQ(database_->value(u"select 备注 from 无键表 where 名称 = '甲'"), u"备注");
    ASSERT_TRUE(records.removeRows(1, 1)) << readable(records.lastError());
    EXPECT_EQ(records.recordCount(), 2);
    EXPECT_EQ(records.fieldText(1, 0), "丙");
    EXPECT_EQ(database_->value(u"select count(*) from 无键表"), u"2");
    ASSERT_TRUE(records.setFieldText(1, 1, "30")) << readable(records.lastError());
    EXPECT_EQ(database_->value(u"select 数量 from 无键表 where 名称 = '丙'"), u"30");
}

TEST_P(RecordSetWithoutKey, AnAppendedRowComesLastAndCanBeWritten) {
    database_->run(u"insert into 无键表 values ('甲', 1, null)");
    RecordSet records(connection_);
    ASSERT_TRUE(records.open("select * from 无键表"));
    ASSERT_TRUE(records.appendBlank()) << readable(records.lastError());
    ASSERT_EQ(records.recordCount(), 2);
    EXPECT_EQ(records.fieldText(1, 0), "");
    EXPECT_EQ(records.fieldText(1, 2), "无");
    ASSERT_TRUE(records.setFieldText(1, 0, "新行")) << readable(records.lastError());
    EXPECT_EQ(database_->value(u"select 备注 from 无键表 where 名称 = '新行'"), u"无");
    ASSERT_TRUE(records.removeRows(1, 1)) << readable(records.lastError());
    EXPECT_EQ(database_->value(u"select count(*) from 无键表"), u"1");
}

TEST_P(RecordSetWithoutKey, IdenticalRowsAreNeitherWrittenNorRemoved) {
    database_->run(u"insert into 无键表 values ('甲', 1, '同'), ('甲', 1, '同'), ('乙', 2, null)");
    RecordSet records(connection_);
    ASSERT_TRUE(records.open("select * from 无键表"));
    EXPECT_FALSE(records.setFieldText(1, 1, "5"));
    EXPECT_NE(records.lastError().find("完全相同"), std::string::npos) << readable(records.lastError());
    EXPECT_EQ(records.fieldText(1, 1), "1");
    EXPECT_FALSE(records.removeRows(0, 1));
    EXPECT_EQ(records.recordCount(), 3);
    // Rolled back: neither of the two rows changed or went.
    EXPECT_EQ(database_->value(u"select count(*) from 无键表 where 数量 = 1"), u"2");
    EXPECT_TRUE(records.setFieldText(2, 1, "20")) << readable(records.lastError());
}

TEST_P(RecordSetWithoutKey, AnOriginalOutsideGbkStillFindsItsRow) {
    database_->run(u"insert into 无键表 values ('笑\uD55C', 1, null)");
    RecordSet records(connection_);
    ASSERT_TRUE(records.open("select * from 无键表"));
    // A Hangul syllable has no GBK form: the codec marks it, and the row is still found
    // by the true value. (Not an emoji: the driver manager hands the SQLite driver, which
    // has only the narrow interface, UCS-2 and nothing beyond it.)
    EXPECT_EQ(records.fieldText(0, 0), "笑?");
    ASSERT_TRUE(records.setFieldText(0, 1, "5")) << readable(records.lastError());
    EXPECT_EQ(database_->value(u"select 名称 from 无键表 where 数量 = 5"), u"笑\uD55C");
}

INSTANTIATE_FOR_EACH_BACKEND(RecordSetWithoutKey);
