// A keyed table read by ranges of its key: every position holds the row it would hold
// in the full ordered list, however it is reached.
#include <gtest/gtest.h>

#include <random>

#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/record_set.h"
#include "tests/grid/odbc/test_database.h"
#include "tests/grid/odbc/test_tables.h"

using namespace grid::odbc;

namespace {

class KeyRanges : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        createNumbers(*database_, u"大表", 5000, true);
        ASSERT_TRUE(connection_.open(database_->connection())) << readable(connection_.lastError());
    }

    Database connection_{codec_};
};

}  // namespace

TEST_P(KeyRanges, EveryWayToARowFindsTheSameRow) {
    struct Case {
        const char* query;
        int32_t rows;
        // The key of the row at a position.
        int (*key)(int32_t position);
    };
    const Case cases[] = {
        {"select * from 大表", 5000, [](int32_t p) { return p + 1; }},
        {"select 名称, 值 from 大表 order by 编号 ASC", 5000, [](int32_t p) { return p + 1; }},
        // Rows whose number is not a multiple of 7: six in each seven.
        {"select * from 大表 where 编号 % 7 <> 0 order by \"编号\"", 4286, [](int32_t p) { return p / 6 * 7 + p % 6 + 1; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        RecordSet records(connection_);
        ASSERT_TRUE(records.open(c.query)) << readable(records.lastError());
        ASSERT_EQ(records.recordCount(), c.rows);
        const int32_t value = 1;
        auto expect = [&](int32_t row) {
            EXPECT_EQ(records.fieldText(row, value), std::to_string(c.key(row) * 3)) << "row " << row;
        };
        // The last row first (from the end), then back up from it (blocks before a
        // cached one), a far jump into the middle, down from there, and then positions
        // at random, many of them far from anything read.
        expect(c.rows - 1);
        for (int32_t row = c.rows - 1; row > c.rows - 700; row -= 97) expect(row);
        expect(c.rows / 2);
        for (int32_t row = c.rows / 2; row < c.rows / 2 + 900; row += 89) expect(row);
        std::mt19937 random(11);
        std::uniform_int_distribution<int32_t> anywhere(0, c.rows - 1);
        for (int i = 0; i < 300; ++i) expect(anywhere(random));
        expect(0);
    }
}

TEST_P(KeyRanges, RowsAreReadAsTheTableIsNowAndAppendedRowsComeLast) {
    RecordSet records(connection_);
    ASSERT_TRUE(records.open("select * from 大表"));
    // Nothing was read yet, so the first rows are read with the row added meanwhile.
    database_->run(u"insert into 大表 values (0, 0, '最前')");
    EXPECT_EQ(records.fieldText(0, 2), "最前");
    // A row appended here keeps its place at the end, though its key comes first.
    database_->run(u"drop table if exists 前置");
    database_->run(u"create table 前置 (编号 varchar(10) primary key default 'a', 名称 varchar(20))");
    database_->run(u"insert into 前置 values ('b', '一'), ('c', '二')");
    ASSERT_TRUE(records.open("select * from 前置"));
    ASSERT_TRUE(records.appendBlank()) << readable(records.lastError());
    ASSERT_EQ(records.recordCount(), 3);
    EXPECT_EQ(records.fieldText(0, 1), "一");
    EXPECT_EQ(records.fieldText(2, 0), "a");
    ASSERT_TRUE(records.setFieldText(2, 1, "新")) << readable(records.lastError());
    EXPECT_EQ(database_->value(u"select 名称 from 前置 where 编号 = 'a'"), u"新");
    ASSERT_TRUE(records.removeRows(0, 1)) << readable(records.lastError());
    EXPECT_EQ(records.fieldText(0, 1), "二");
    EXPECT_EQ(records.fieldText(1, 1), "新");
    EXPECT_EQ(records.recordCount(), 2);
}

TEST_P(KeyRanges, RowsRemovedByOthersLeaveEmptyPlacesThatNoWriteCanTake) {
    RecordSet records(connection_);
    ASSERT_TRUE(records.open("select * from 大表"));
    database_->run(u"delete from 大表 where 编号 > 4900");
    EXPECT_EQ(records.recordCount(), 5000);
    // Scrolled down from the top, each block follows on from the one before.
    for (int32_t row = 0; row < 4800; row += 150) records.fieldText(row, 0);
    EXPECT_EQ(records.fieldText(4899, 0), "4900");
    EXPECT_EQ(records.fieldText(4950, 0), "");
    EXPECT_FALSE(records.setFieldText(4950, 2, "写不进"));
    EXPECT_EQ(database_->value(u"select count(*) from 大表 where 名称 = '写不进'"), u"0");
    // The failed write read the rows again.
    EXPECT_EQ(records.recordCount(), 4900);
}

INSTANTIATE_FOR_EACH_BACKEND(KeyRanges);
