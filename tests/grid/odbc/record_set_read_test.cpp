#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/record_set.h"
#include "tests/grid/odbc/test_database.h"
#include "tests/grid/odbc/test_tables.h"
#include "tests/grid/odbc/typed_columns.h"

using namespace grid::odbc;

namespace {

class RecordSetRead : public BackendTest {
protected:
    const std::vector<TypedColumn>& columns() const { return typedColumns(*database_); }
};

}  // namespace

TEST_P(RecordSetRead, ColumnsCarryTheirNamesSqlTypesAndDisplayWidths) {
    createTypes(*database_);
    Database database(codec_);
    ASSERT_TRUE(database.open(database_->connection())) << readable(database.lastError());
    RecordSet records(database);
    ASSERT_TRUE(records.open("select * from 类型表")) << readable(records.lastError());
    ASSERT_EQ(records.columnCount(), int32_t(columns().size()));
    for (int32_t i = 0; i < records.columnCount(); ++i) {
        const TypedColumn& column = columns()[size_t(i)];
        SCOPED_TRACE(readable(codec_.toGbk(column.name)));
        EXPECT_EQ(records.columnName(i), codec_.toGbk(column.name));
        EXPECT_EQ(records.sqlType(i), column.sqlType);
        EXPECT_EQ(records.displayWidth(i), column.displayWidth);
    }
    EXPECT_EQ(records.columnName(records.columnCount()), "");
    EXPECT_EQ(records.sqlType(-1), 0);
}

TEST_P(RecordSetRead, FieldsReadAsTheDatabaseHoldsThemAndNullAsEmpty) {
    createTypes(*database_);
    Database database(codec_);
    ASSERT_TRUE(database.open(database_->connection()));
    RecordSet records(database);
    ASSERT_TRUE(records.open("select * from 类型表 order by 编号;")) << readable(records.lastError());
    ASSERT_EQ(records.recordCount(), 2);
    for (int32_t i = 0; i < records.columnCount(); ++i) {
        const TypedColumn& column = columns()[size_t(i)];
        SCOPED_TRACE(readable(codec_.toGbk(column.name)));
        EXPECT_EQ(records.fieldText(0, i), column.text);
        EXPECT_EQ(records.fieldText(1, i), i == 0 ? "2" : "");
    }
}

TEST_P(RecordSetRead, EveryRowOfALargeTableIsReachedInAnyOrder) {
    createNumbers(*database_, u"大表", 10000, true);
    Database database(codec_);
    ASSERT_TRUE(database.open(database_->connection()));
    RecordSet records(database);
    ASSERT_TRUE(records.open("select * from 大表")) << readable(records.lastError());
    ASSERT_EQ(records.recordCount(), 10000);
    EXPECT_TRUE(records.isWritable());
    // Last row first, then jumps over more blocks than the cache holds, back and forth.
    std::vector<int32_t> rows = {9999, 0, 199, 200, 5000};
    for (int32_t row = 9998; row >= 0; row -= 37) {
        rows.push_back(row);
    }
    for (int32_t row : rows) {
        SCOPED_TRACE(row);
        EXPECT_EQ(records.fieldText(row, 0), std::to_string(row + 1));
        EXPECT_EQ(records.fieldText(row, 1), std::to_string(3 * (row + 1)));
        EXPECT_EQ(records.fieldText(row, 2), "第" + std::to_string(row + 1) + "行");
    }
}

TEST_P(RecordSetRead, ALargeTableWithoutKeyIsReadThroughTheCursor) {
    createNumbers(*database_, u"无键大表", 10000, false);
    Database database(codec_);
    ASSERT_TRUE(database.open(database_->connection()));
    RecordSet records(database);
    ASSERT_TRUE(records.open("select 名称, 值 from 无键大表 order by 值 desc")) << readable(records.lastError());
    ASSERT_EQ(records.recordCount(), 10000);
    EXPECT_TRUE(records.isWritable());
    for (int32_t row : {9999, 0, 4321, 200, 199, 7777}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(records.fieldText(row, 1), std::to_string(3 * (10000 - row)));
        EXPECT_EQ(records.fieldText(row, 0), "第" + std::to_string(10000 - row) + "行");
    }
}

TEST_P(RecordSetRead, TheQuerysConditionAndOrderHold) {
    createPeople(*database_);
    Database database(codec_);
    ASSERT_TRUE(database.open(database_->connection()));
    RecordSet records(database);
    ASSERT_TRUE(records.open("SELECT 姓名, 年龄 FROM 职工 WHERE 年龄 < 35 ORDER BY 年龄 DESC")) << readable(records.lastError());
    EXPECT_TRUE(records.isWritable());
    ASSERT_EQ(records.columnCount(), 2);
    ASSERT_EQ(records.recordCount(), 2);
    EXPECT_EQ(records.fieldText(0, 0), "张三");
    EXPECT_EQ(records.fieldText(1, 0), "王五");
    EXPECT_EQ(records.fieldText(1, 1), "25");
}

TEST_P(RecordSetRead, AQueryBeyondOneTableIsReadButNeverWritten) {
    createPeople(*database_);
    Database database(codec_);
    ASSERT_TRUE(database.open(database_->connection()));
    RecordSet records(database);
    ASSERT_TRUE(records.open("select 部门, count(*) as 人数 from 职工 group by 部门 order by 部门 desc"))
        << readable(records.lastError());
    EXPECT_FALSE(records.isWritable());
    ASSERT_EQ(records.recordCount(), 2);
    EXPECT_EQ(records.columnName(1), "人数");
    EXPECT_EQ(records.fieldText(0, 0), "销售");
    EXPECT_EQ(records.fieldText(0, 1), "2");
    EXPECT_EQ(records.fieldText(1, 0), "财务");
    EXPECT_FALSE(records.setFieldText(0, 0, "市场"));
    EXPECT_NE(records.lastError().find("不能写回"), std::string::npos) << readable(records.lastError());
    EXPECT_FALSE(records.appendBlank());
    EXPECT_FALSE(records.removeRows(0, 1));
    EXPECT_FALSE(records.zap());
    EXPECT_EQ(records.recordCount(), 2);
    EXPECT_EQ(database_->value(u"select count(*) from 职工"), u"3");
}

TEST_P(RecordSetRead, AQueryTheDatabaseRejectsGivesItsMessage) {
    createPeople(*database_);
    Database database(codec_);
    ASSERT_TRUE(database.open(database_->connection()));
    struct Case {
        const char* query;
        const char* named;  // what the driver's message must name
    };
    const Case cases[] = {
        {"select * from 不存在的表", "不存在的表"},
        {"select 不存在的列 from 职工", "不存在的列"},
        {"select * from 职工 where 年龄 >", ""},
        {"selec * from 职工", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(readable(c.query));
        RecordSet records(database);
        EXPECT_FALSE(records.open(c.query));
        EXPECT_FALSE(records.isOpen());
        EXPECT_EQ(records.recordCount(), 0);
        EXPECT_EQ(records.columnCount(), 0);
        EXPECT_FALSE(records.lastError().empty());
        EXPECT_NE(records.lastError().find(c.named), std::string::npos) << readable(records.lastError());
        // A driver may count a Chinese message in bytes; nothing past its end shows.
        EXPECT_EQ(records.lastError().find('\0'), std::string::npos) << readable(records.lastError());
    }
    EXPECT_TRUE(database.alive());
}

TEST_P(RecordSetRead, FieldsOutsideTheRecordSetAreRefused) {
    createPeople(*database_);
    Database database(codec_);
    ASSERT_TRUE(database.open(database_->connection()));
    RecordSet records(database);
    ASSERT_TRUE(records.open("select * from 职工"));
    for (auto [row, column] : std::initializer_list<std::pair<int32_t, int32_t>>{{-1, 0}, {3, 0}, {0, -1}, {0, 4}}) {
        EXPECT_EQ(records.fieldText(row, column), std::nullopt) << row << "," << column;
        EXPECT_FALSE(records.lastError().empty());
        EXPECT_FALSE(records.setFieldText(row, column, "x"));
    }
    records.close();
    EXPECT_EQ(records.fieldText(0, 0), std::nullopt);
    EXPECT_FALSE(records.appendBlank());
}

INSTANTIATE_FOR_EACH_BACKEND(RecordSetRead);
