#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/record_set.h"
#include "tests/grid/odbc/test_database.h"
#include "tests/grid/odbc/test_tables.h"

using namespace grid::odbc;

namespace {

struct TypedColumn {
    std::u16string_view name;
    std::u16string_view declaration;
    std::u16string_view literal;
    int16_t sqlType;
    int32_t displayWidth;
    const char* text;
};

// Every SQL type the field conversions distinguish, as each driver reports it. SQLite
// has no REAL of its own (it reads as DOUBLE) and PostgreSQL no TINYINT; psqlODBC
// reports double precision as FLOAT and varchar as the wide WVARCHAR.
const std::vector<TypedColumn> sqliteColumns = {
    {u"编号", u"integer primary key", u"1", 4, 10, "1"},
    {u"整数", u"integer", u"123", 4, 10, "123"},
    {u"短整数", u"smallint", u"-7", 5, 6, "-7"},
    {u"双精度", u"double", u"1.5", 8, 54, "1.5"},
    {u"浮点", u"float", u"2.25", 8, 54, "2.25"},
    {u"日期", u"date", u"'2024-03-05'", 91, 10, "2024-03-05"},
    {u"时间", u"time", u"'13:14:15'", 92, 8, "13:14:15"},
    {u"时间戳", u"timestamp", u"'2024-03-05 13:14:15'", 93, 32, "2024-03-05 13:14:15"},
    {u"逻辑", u"bit", u"1", -7, 1, "1"},
    {u"字节", u"tinyint", u"200", -6, 4, "200"},
    {u"长整数", u"bigint", u"9000000000", -5, 20, "9000000000"},
    {u"文字", u"varchar(20)", u"'汉字'", 12, 20, "汉字"},
};

const std::vector<TypedColumn> postgresColumns = {
    {u"编号", u"integer primary key", u"1", 4, 11, "1"},
    {u"整数", u"integer", u"123", 4, 11, "123"},
    {u"短整数", u"smallint", u"-7", 5, 6, "-7"},
    {u"双精度", u"double precision", u"1.5", 6, 24, "1.5"},
    {u"单精度", u"real", u"2.25", 7, 15, "2.25"},
    {u"日期", u"date", u"'2024-03-05'", 91, 10, "2024-03-05"},
    {u"时间", u"time", u"'13:14:15'", 92, 8, "13:14:15"},
    {u"时间戳", u"timestamp", u"'2024-03-05 13:14:15'", 93, 26, "2024-03-05 13:14:15"},
    {u"逻辑", u"boolean", u"true", -7, 1, "1"},
    {u"长整数", u"bigint", u"9000000000", -5, 20, "9000000000"},
    {u"文字", u"varchar(20)", u"'汉字'", -9, 20, "汉字"},
};

class RecordSetRead : public BackendTest {
protected:
    const std::vector<TypedColumn>& typedColumns() const {
        return database_->isSqlite() ? sqliteColumns : postgresColumns;
    }

    void createTypes() {
        std::u16string create = u"create table 类型表 (";
        std::u16string values = u"insert into 类型表 values (";
        for (const TypedColumn& column : typedColumns()) {
            bool first = &column == &typedColumns().front();
            create += (first ? u"" : u", ") + std::u16string(column.name) + u" " + std::u16string(column.declaration);
            values += (first ? u"" : u", ") + std::u16string(column.literal);
        }
        database_->run(u"drop table if exists 类型表");
        database_->run(create + u")");
        database_->run(values + u")");
        database_->run(u"insert into 类型表 (编号) values (2)");
    }
};

}  // namespace

TEST_P(RecordSetRead, ColumnsCarryTheirNamesSqlTypesAndDisplayWidths) {
    createTypes();
    Database database(codec_);
    ASSERT_TRUE(database.open(database_->connection())) << readable(database.lastError());
    RecordSet records(database);
    ASSERT_TRUE(records.open("select * from 类型表")) << readable(records.lastError());
    ASSERT_EQ(records.columnCount(), int32_t(typedColumns().size()));
    for (int32_t i = 0; i < records.columnCount(); ++i) {
        const TypedColumn& column = typedColumns()[size_t(i)];
        SCOPED_TRACE(readable(codec_.toGbk(column.name)));
        EXPECT_EQ(records.columnName(i), codec_.toGbk(column.name));
        EXPECT_EQ(records.sqlType(i), column.sqlType);
        EXPECT_EQ(records.displayWidth(i), column.displayWidth);
    }
    EXPECT_EQ(records.columnName(records.columnCount()), "");
    EXPECT_EQ(records.sqlType(-1), 0);
}

TEST_P(RecordSetRead, FieldsReadAsTheDatabaseHoldsThemAndNullAsEmpty) {
    createTypes();
    Database database(codec_);
    ASSERT_TRUE(database.open(database_->connection()));
    RecordSet records(database);
    ASSERT_TRUE(records.open("select * from 类型表 order by 编号;")) << readable(records.lastError());
    ASSERT_EQ(records.recordCount(), 2);
    for (int32_t i = 0; i < records.columnCount(); ++i) {
        const TypedColumn& column = typedColumns()[size_t(i)];
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
    EXPECT_FALSE(records.remove(0));
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
