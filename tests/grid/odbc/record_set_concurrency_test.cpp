// Two people on one table: what the editor read is what its writes expect to find, so
// that a change made meanwhile by someone else is never silently undone.
#include <gtest/gtest.h>

#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/record_set.h"
#include "tests/grid/odbc/test_database.h"
#include "tests/grid/odbc/test_tables.h"

using namespace grid::odbc;

namespace {

// Columns of 职工.
constexpr int32_t name = 1;
constexpr int32_t department = 2;
constexpr int32_t age = 3;

const char* const changedByOthers = "这条记录已被其他用户修改，已显示数据库中的新值。";

class RecordSetConcurrency : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        createPeople(*database_);
        ASSERT_TRUE(connection_.open(database_->connection())) << readable(connection_.lastError());
        ASSERT_TRUE(records_.open("select * from 职工 order by 编号"));
        ASSERT_EQ(records_.fieldText(1, name), "李四");
    }

    RecordSet::ShownAgain shownAgain(int32_t& row) const { return records_.shownAgain(row); }

    Database connection_{codec_};
    RecordSet records_{connection_};
};

}  // namespace

TEST_P(RecordSetConcurrency, AFieldSomeoneElseChangedIsNotOverwrittenAndShowsTheirValue) {
    database_->run(u"update 职工 set 姓名 = '李四四', 年龄 = 41 where 编号 = 2");
    EXPECT_FALSE(records_.setFieldText(1, name, "赵六"));
    EXPECT_EQ(records_.lastError(), changedByOthers);
    EXPECT_EQ(database_->value(u"select 姓名 from 职工 where 编号 = 2"), u"李四四");
    // The whole record as the database has it now, for the grid to show.
    int32_t row = -1;
    EXPECT_EQ(shownAgain(row), RecordSet::ShownAgain::row);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(records_.fieldText(1, name), "李四四");
    EXPECT_EQ(records_.fieldText(1, age), "41");
    // Now that the editor has read the new value, the person's write goes through.
    ASSERT_TRUE(records_.setFieldText(1, name, "赵六")) << readable(records_.lastError());
    EXPECT_EQ(database_->value(u"select 姓名 from 职工 where 编号 = 2"), u"赵六");
    EXPECT_EQ(shownAgain(row), RecordSet::ShownAgain::nothing);
}

TEST_P(RecordSetConcurrency, AnotherFieldChangedElsewhereDoesNotStopTheWrite) {
    database_->run(u"update 职工 set 年龄 = 41 where 编号 = 2");
    ASSERT_TRUE(records_.setFieldText(1, department, "审计")) << readable(records_.lastError());
    EXPECT_EQ(database_->value(u"select 部门 || ' ' || 年龄 from 职工 where 编号 = 2"), u"审计 41");
    // The row read back after the write shows the other change too.
    EXPECT_EQ(records_.fieldText(1, age), "41");
}

TEST_P(RecordSetConcurrency, AFieldThatWasEmptyIsMatchedAsEmpty) {
    database_->run(u"update 职工 set 部门 = null where 编号 in (1, 3)");
    ASSERT_TRUE(records_.open("select * from 职工 order by 编号"));
    ASSERT_TRUE(records_.setFieldText(0, department, "人事")) << readable(records_.lastError());
    EXPECT_EQ(database_->value(u"select 部门 from 职工 where 编号 = 1"), u"人事");
    database_->run(u"update 职工 set 部门 = '后勤' where 编号 = 3");
    EXPECT_FALSE(records_.setFieldText(2, department, "人事"));
    EXPECT_EQ(records_.lastError(), changedByOthers);
    EXPECT_EQ(records_.fieldText(2, department), "后勤");
}

TEST_P(RecordSetConcurrency, ARecordChangedElsewhereIsNotRemoved) {
    database_->run(u"update 职工 set 年龄 = 41 where 编号 = 2");
    EXPECT_FALSE(records_.removeRows(0, 3));
    EXPECT_EQ(records_.lastError(), changedByOthers);
    // The first row went; the second, changed by someone else, stays with its new
    // value, and so does the third, which came after it.
    EXPECT_EQ(database_->value(u"select count(*) from 职工"), u"2");
    EXPECT_EQ(records_.recordCount(), 2);
    EXPECT_EQ(records_.fieldText(0, age), "41");
    EXPECT_EQ(records_.fieldText(1, name), "王五");
    ASSERT_TRUE(records_.removeRows(0, 1)) << readable(records_.lastError());
    EXPECT_EQ(database_->value(u"select count(*) from 职工 where 编号 = 2"), u"0");
}

TEST_P(RecordSetConcurrency, WithoutAKeyAChangedRecordIsNotFoundAndTheRowsAreReadAgain) {
    createNumbers(*database_, u"无键数", 3, false);
    ASSERT_TRUE(records_.open("select * from 无键数 order by 值"));
    database_->run(u"update 无键数 set 名称 = '别人改的' where 编号 = 2");
    EXPECT_FALSE(records_.setFieldText(1, 1, "100"));
    EXPECT_EQ(database_->value(u"select 值 from 无键数 where 编号 = 2"), u"6");
    int32_t row = -1;
    EXPECT_EQ(shownAgain(row), RecordSet::ShownAgain::allRows);
    EXPECT_EQ(records_.fieldText(1, 2), "别人改的");
}

// The original value is matched as the driver gave it as text: numbers that text
// rounds must still find their record.
TEST_P(RecordSetConcurrency, ApproximateNumbersAndTimesAreMatchedAsRead) {
    database_->run(u"drop table if exists 小数表");
    database_->run(u"create table 小数表 (编号 integer primary key, 单 real, 双 double precision, 时 timestamp)");
    database_->run(u"insert into 小数表 values (1, 1.0 / 3, 2.0 / 3, '2024-02-29 13:45:10'), (2, 0.1, 1e-300, null)");
    ASSERT_TRUE(records_.open("select * from 小数表 order by 编号"));
    for (int32_t row : {0, 1}) {
        for (int32_t column : {1, 2, 3}) {
            // Each field twice: the second write matches the value the first stored.
            for (const char* text : {"0.3", "0.7"}) {
                const bool time = column == 3;
                EXPECT_TRUE(records_.setFieldText(row, column, time ? (text[2] == '3' ? "2025-01-01 00:00:00" : "2026-12-10 08:30:00") : text))
                    << row << "," << column << ": " << readable(records_.lastError());
            }
        }
    }
    EXPECT_EQ(database_->value(u"select count(*) from 小数表 where 双 > 0.69 and 双 < 0.71"), u"2");
}

INSTANTIATE_FOR_EACH_BACKEND(RecordSetConcurrency);

// A parent table's key does not reach the rows of a table that inherits from it, so
// one key can match two rows: neither may change.
TEST(RecordSetTransactions, AWriteByKeyThatWouldTouchTwoRowsChangesNothing) {
    QtTextCodec codec;
    std::string whyNot;
    std::unique_ptr<TestDatabase> test = TestDatabase::create(Backend::postgres, whyNot);
    if (!test) {
        GTEST_SKIP() << whyNot;
    }
    test->run(u"drop table if exists 子表, 父表");
    test->run(u"create table 父表 (编号 integer primary key, 名称 varchar(20))");
    test->run(u"create table 子表 () inherits (父表)");
    test->run(u"insert into 父表 values (1, '父')");
    test->run(u"insert into 子表 values (1, '父')");
    Database database(codec);
    ASSERT_TRUE(database.open(test->connection()));
    RecordSet records(database);
    ASSERT_TRUE(records.open("select * from 父表"));
    ASSERT_EQ(records.recordCount(), 2);
    EXPECT_FALSE(records.setFieldText(0, 1, "改"));
    EXPECT_EQ(test->value(u"select count(*) from 父表 where 名称 = '父'"), u"2");
    EXPECT_FALSE(records.removeRows(0, 1));
    EXPECT_EQ(test->value(u"select count(*) from 父表"), u"2");
}
