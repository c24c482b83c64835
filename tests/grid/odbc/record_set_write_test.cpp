#include <gtest/gtest.h>

#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/record_set.h"
#include "tests/grid/odbc/test_database.h"
#include "tests/grid/odbc/test_tables.h"
#include "tests/grid/odbc/typed_columns.h"

using namespace grid::odbc;

namespace {

// Columns of 职工.
constexpr int32_t number = 0;
constexpr int32_t name = 1;
constexpr int32_t department = 2;
constexpr int32_t age = 3;

class RecordSetWrite : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        createPeople(*database_);
        ASSERT_TRUE(connection_.open(database_->connection())) << readable(connection_.lastError());
    }

    Database connection_{codec_};
};

}  // namespace

TEST_P(RecordSetWrite, AnEditedFieldIsFoundByASeparateQuery) {
    RecordSet records(connection_);
    ASSERT_TRUE(records.open("select * from 职工"));
    ASSERT_TRUE(records.setFieldText(1, name, "赵六")) << readable(records.lastError());
    EXPECT_EQ(records.fieldText(1, name), "赵六");
    EXPECT_EQ(database_->value(u"select 姓名 from 职工 where 编号 = 2"), u"赵六");
    EXPECT_EQ(database_->value(u"select count(*) from 职工 where 姓名 = '李四'"), u"0");
}

TEST_P(RecordSetWrite, TheRowShowsTheValueAsTheDatabaseStoredIt) {
    RecordSet records(connection_);
    ASSERT_TRUE(records.open("select * from 职工"));
    ASSERT_TRUE(records.setFieldText(0, age, "007")) << readable(records.lastError());
    EXPECT_EQ(records.fieldText(0, age), "7");
    EXPECT_EQ(database_->value(u"select 年龄 from 职工 where 编号 = 1"), u"7");
}

TEST_P(RecordSetWrite, EveryTypeTakesTheTextsThatTheProviderWrites) {
    createTypes(*database_);
    RecordSet records(connection_);
    ASSERT_TRUE(records.open("select * from 类型表 order by 编号"));
    const std::vector<TypedColumn>& columns = typedColumns(*database_);
    for (size_t i = 0; i < columns.size(); ++i) {
        if (!columns[i].written) {
            continue;
        }
        SCOPED_TRACE(readable(codec_.toGbk(columns[i].name)));
        EXPECT_TRUE(records.setFieldText(0, int32_t(i), columns[i].written)) << readable(records.lastError());
        EXPECT_EQ(records.fieldText(0, int32_t(i)), columns[i].writtenReadsAs);
        EXPECT_EQ(database_->value(u"select " + std::u16string(columns[i].name) + u" from 类型表 where 编号 = 1"),
                  codec_.toUtf16(columns[i].writtenReadsAs));
    }
}

TEST_P(RecordSetWrite, AnEmptyTextIsNullExceptInACharacterColumn) {
    database_->run(u"drop table if exists 可空");
    database_->run(u"create table 可空 (编号 integer primary key, 数量 integer, 名称 varchar(10))");
    database_->run(u"insert into 可空 values (1, 5, '甲')");
    RecordSet records(connection_);
    ASSERT_TRUE(records.open("select * from 可空"));
    ASSERT_TRUE(records.setFieldText(0, 1, "")) << readable(records.lastError());
    ASSERT_TRUE(records.setFieldText(0, 2, "")) << readable(records.lastError());
    EXPECT_EQ(database_->value(u"select count(*) from 可空 where 数量 is null"), u"1");
    EXPECT_EQ(database_->value(u"select count(*) from 可空 where 名称 = ''"), u"1");
    EXPECT_EQ(records.fieldText(0, 1), "");
}

TEST_P(RecordSetWrite, AWriteTheDatabaseRefusesLeavesItsValue) {
    struct Case {
        int32_t column;
        const char* text;
        const char* sqliteSays;  // nullptr: SQLite takes the value
        const char* postgresSays;
    };
    const Case cases[] = {
        {age, "-1", "CHECK constraint failed", "violates check constraint"},
        {age, "", "NOT NULL constraint failed", "violates not-null constraint"},
        {age, "abc", nullptr, "invalid input syntax for type integer"},
        {department, "这个部门的名字比二十个字符长得多得多得多得多", nullptr, "value too long"},
    };
    RecordSet records(connection_);
    ASSERT_TRUE(records.open("select * from 职工"));
    for (const Case& c : cases) {
        const char* says = database_->isSqlite() ? c.sqliteSays : c.postgresSays;
        if (!says) {
            continue;
        }
        SCOPED_TRACE(readable(c.text));
        EXPECT_FALSE(records.setFieldText(2, c.column, c.text));
        EXPECT_NE(records.lastError().find(says), std::string::npos) << readable(records.lastError());
        EXPECT_EQ(records.fieldText(2, c.column), c.column == age ? "25" : "销售");
        EXPECT_EQ(database_->value(u"select 年龄 from 职工 where 编号 = 3"), u"25");
        EXPECT_EQ(database_->value(u"select 部门 from 职工 where 编号 = 3"), u"销售");
    }
    // The refusals leave the connection usable.
    EXPECT_TRUE(records.setFieldText(2, age, "26")) << readable(records.lastError());
}

TEST_P(RecordSetWrite, AnAppendedRowHoldsTheDefaultsAndComesLast) {
    database_->run(u"drop table if exists 订单");
    database_->run(std::u16string(u"create table 订单 (编号 ") +
                   (database_->isSqlite() ? u"integer primary key" : u"serial primary key") +
                   u", 客户 varchar(20) default '新客户', 数量 integer default 1)");
    database_->run(u"insert into 订单 (客户, 数量) values ('甲', 5)");
    RecordSet records(connection_);
    ASSERT_TRUE(records.open("select 客户, 数量 from 订单"));
    ASSERT_TRUE(records.appendBlank()) << readable(records.lastError());
    ASSERT_EQ(records.recordCount(), 2);
    EXPECT_EQ(records.fieldText(1, 0), "新客户");
    EXPECT_EQ(records.fieldText(1, 1), "1");
    // The new row is found by its key for the next write.
    ASSERT_TRUE(records.setFieldText(1, 0, "乙")) << readable(records.lastError());
    EXPECT_EQ(database_->value(u"select count(*) from 订单"), u"2");
    EXPECT_EQ(database_->value(u"select 客户 from 订单 where 编号 = 2"), u"乙");
}

TEST_P(RecordSetWrite, AnAppendTheDatabaseRefusesGivesItsMessage) {
    RecordSet records(connection_);
    ASSERT_TRUE(records.open("select * from 职工"));
    EXPECT_FALSE(records.appendBlank());
    EXPECT_NE(records.lastError().find(database_->isSqlite() ? "NOT NULL" : "not-null"), std::string::npos)
        << readable(records.lastError());
    EXPECT_EQ(records.recordCount(), 3);
    EXPECT_EQ(database_->value(u"select count(*) from 职工"), u"3");
}

TEST_P(RecordSetWrite, ARemovedRowIsGoneAndTheRowsAfterItMoveUp) {
    createNumbers(*database_, u"大表", 1000, true);
    RecordSet records(connection_);
    ASSERT_TRUE(records.open("select * from 大表"));
    // Rows of later blocks were cached before; they must not show stale positions.
    EXPECT_EQ(records.fieldText(300, 0), "301");
    EXPECT_EQ(records.fieldText(999, 0), "1000");
    ASSERT_TRUE(records.removeRows(5, 1)) << readable(records.lastError());
    EXPECT_EQ(records.recordCount(), 999);
    EXPECT_EQ(records.fieldText(4, 0), "5");
    EXPECT_EQ(records.fieldText(5, 0), "7");
    EXPECT_EQ(records.fieldText(300, 0), "302");
    EXPECT_EQ(records.fieldText(998, 0), "1000");
    EXPECT_EQ(database_->value(u"select count(*) from 大表"), u"999");
    EXPECT_EQ(database_->value(u"select count(*) from 大表 where 编号 = 6"), u"0");
}

TEST_P(RecordSetWrite, ZapRemovesEveryRowOfTheQueryAndNoOther) {
    createNumbers(*database_, u"大表", 1000, true);
    RecordSet records(connection_);
    ASSERT_TRUE(records.open("select * from 大表 where 值 > 1500"));
    ASSERT_EQ(records.recordCount(), 500);
    ASSERT_TRUE(records.zap()) << readable(records.lastError());
    EXPECT_EQ(records.recordCount(), 0);
    EXPECT_EQ(database_->value(u"select count(*) from 大表"), u"500");
    EXPECT_EQ(database_->value(u"select max(编号) from 大表"), u"500");
}

TEST_P(RecordSetWrite, EditingTheKeyKeepsTheRowInPlace) {
    RecordSet records(connection_);
    ASSERT_TRUE(records.open("select * from 职工"));
    ASSERT_TRUE(records.setFieldText(1, number, "20")) << readable(records.lastError());
    EXPECT_EQ(records.fieldText(1, number), "20");
    EXPECT_EQ(records.fieldText(1, name), "李四");
    ASSERT_TRUE(records.setFieldText(1, department, "审计")) << readable(records.lastError());
    EXPECT_EQ(database_->value(u"select 部门 from 职工 where 编号 = 20"), u"审计");
    EXPECT_EQ(database_->value(u"select count(*) from 职工 where 编号 = 2"), u"0");
}

TEST_P(RecordSetWrite, ARowDeletedElsewhereIsReportedOnWrite) {
    RecordSet records(connection_);
    ASSERT_TRUE(records.open("select * from 职工"));
    EXPECT_EQ(records.fieldText(1, name), "李四");
    database_->run(u"delete from 职工 where 编号 = 2");
    EXPECT_FALSE(records.setFieldText(1, name, "赵六"));
    EXPECT_NE(records.lastError().find("没有找到"), std::string::npos) << readable(records.lastError());
    // The rows are read again: the gone record no longer takes a place.
    int32_t row = -1;
    EXPECT_EQ(records.shownAgain(row), RecordSet::ShownAgain::allRows);
    EXPECT_EQ(records.recordCount(), 2);
    EXPECT_EQ(records.fieldText(1, name), "王五");
}

TEST_P(RecordSetWrite, ACompositeKeyFindsItsRows) {
    database_->run(u"drop table if exists 成绩");
    database_->run(u"create table 成绩 (班级 integer, 学号 varchar(10), 分数 integer, primary key (班级, 学号))");
    std::u16string values = u" select x % 3, 'S' || x, x from ";
    if (database_->isSqlite()) {
        database_->run(u"with recursive s(x) as (select 1 union all select x + 1 from s where x < 600) insert into 成绩" +
                       values + u"s");
    } else {
        database_->run(u"insert into 成绩" + values + u"generate_series(1, 600) x");
    }
    RecordSet records(connection_);
    ASSERT_TRUE(records.open("select 分数, 学号 from 成绩"));
    ASSERT_EQ(records.recordCount(), 600);
    for (int32_t row : {599, 450, 0, 201}) {
        std::optional<std::string> score = records.fieldText(row, 0);
        ASSERT_TRUE(score.has_value());
        EXPECT_EQ(records.fieldText(row, 1), "S" + *score) << row;
    }
    std::u16string student = codec_.toUtf16(*records.fieldText(450, 1));
    ASSERT_TRUE(records.setFieldText(450, 0, "1000")) << readable(records.lastError());
    EXPECT_EQ(database_->value(u"select 分数 from 成绩 where 学号 = '" + student + u"'"), u"1000");
    EXPECT_EQ(database_->value(u"select count(*) from 成绩 where 分数 = 1000"), u"1");
}

INSTANTIATE_FOR_EACH_BACKEND(RecordSetWrite);
