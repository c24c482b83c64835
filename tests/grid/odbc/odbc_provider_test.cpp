// The external provider through the real drivers: a table of a database as the grid
// sees it, and edits that go back into the database.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <string>
#include <vector>

#include "grid/model/cell_content.h"
#include "grid/model/data_source.h"
#include "grid/provider/odbc_field_text.h"
#include "grid/provider/odbc_provider.h"
#include "tests/grid/odbc/test_database.h"
#include "tests/grid/odbc/test_tables.h"
#include "tests/grid/odbc/typed_columns.h"

namespace {

// Columns of 职工.
constexpr int32_t name = 1;
constexpr int32_t age = 3;

// "W" measures 20 wide, so a letter of a field counts 21.
const grid::FixedTextMeasurer measurer({20, 40});

class OdbcProviderTest : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (IsSkipped()) return;
        createPeople(*database_);
        provider_.setFailureListener([this](const std::string& message) { failures_.push_back(message); });
    }

    std::string text(int32_t row, int32_t column) const {
        grid::Cell cell;
        EXPECT_TRUE(provider_.getCell(cell, row, column, true));
        return std::string(cell.text());
    }

    grid::OdbcProvider provider_{measurer, codec_};
    std::vector<std::string> failures_;
};

TEST_P(OdbcProviderTest, ATableNameOrASelectStatementOpensTheRows) {
    struct Case {
        const char* source;
        int32_t rows;
        int32_t columns;
    };
    const Case cases[] = {
        {"职工", 3, 4},
        {"SELECT 姓名 from 职工 where 年龄 > 26", 2, 1},
        {"  select 姓名, 年龄 from 职工", 3, 2},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(provider_.open(database_->connection(), c.source)) << readable(provider_.lastError());
        EXPECT_EQ(provider_.rowCount(), c.rows) << c.source;
        EXPECT_EQ(provider_.columnCount(), c.columns) << c.source;
    }
    EXPECT_EQ(provider_.columnTitle(0), "姓名");
    EXPECT_EQ(text(0, 1), "30");
    EXPECT_TRUE(failures_.empty());
}

TEST_P(OdbcProviderTest, WhatCannotBeOpenedKeepsTheRowsShownAndGivesTheDriversMessage) {
    ASSERT_TRUE(provider_.open(database_->connection(), "职工"));
    EXPECT_FALSE(provider_.open(database_->connection(), "没有这张表"));
    ASSERT_EQ(failures_.size(), 1u);
    EXPECT_NE(failures_[0].find("没有这张表"), std::string::npos) << readable(failures_[0]);
    EXPECT_FALSE(provider_.open("Driver=NoSuchDriver", "职工"));
    EXPECT_EQ(failures_.size(), 2u);
    // Still the table that was open, and still written to.
    EXPECT_EQ(provider_.rowCount(), 3);
    EXPECT_EQ(provider_.columnCount(), 4);
    EXPECT_EQ(provider_.columnWidth(name), 21 * 20 + 27);
    ASSERT_TRUE(provider_.setText(0, name, "新名字"));
    EXPECT_EQ(text(0, name), "新名字");

    // A blank text is no query and closes the table, without a message.
    EXPECT_FALSE(provider_.open(database_->connection(), " \t"));
    EXPECT_EQ(provider_.rowCount(), 0);
    EXPECT_EQ(provider_.columnCount(), 0);
    EXPECT_FALSE(provider_.open("", "职工"));
    EXPECT_FALSE(provider_.open(database_->connection(), "没有这张表"));
    EXPECT_EQ(provider_.rowCount(), 0);
    EXPECT_EQ(failures_.size(), 3u);
}

TEST_P(OdbcProviderTest, EveryTypeReadsWithItsInputTypeAndWidth) {
    createTypes(*database_);
    ASSERT_TRUE(provider_.open(database_->connection(), "select * from 类型表 order by 编号"));
    const std::vector<TypedColumn>& columns = typedColumns(*database_);
    ASSERT_EQ(provider_.columnCount(), int32_t(columns.size()));
    for (int32_t column = 0; column < provider_.columnCount(); ++column) {
        const TypedColumn& expected = columns[size_t(column)];
        grid::Cell cell;
        ASSERT_TRUE(provider_.getCell(cell, 0, column, true));
        EXPECT_EQ(grid::inputTypeOf(cell.flags()), grid::inputTypeOfSqlType(expected.sqlType)) << column;
        EXPECT_EQ(provider_.columnWidth(column), 21 * std::clamp(expected.displayWidth, 3, 100) + 27) << column;
        EXPECT_EQ(provider_.rowHeight(0), provider_.defaultRowHeight());
        EXPECT_FALSE(cell.text().empty()) << column;
        ASSERT_TRUE(provider_.getCell(cell, 1, column, true));
    }
    // A date column shows the editor's form; a bit the logical words.
    EXPECT_EQ(text(0, 5), "2024年3月5日");
    EXPECT_EQ(text(0, 7), "2024年3月5日13时14分15秒");
    EXPECT_EQ(text(0, 8), "真");
    EXPECT_EQ(text(1, 8), "假");
}

TEST_P(OdbcProviderTest, ACellChangeIsFoundInTheDatabase) {
    ASSERT_TRUE(provider_.open(database_->connection(), "职工"));
    ASSERT_TRUE(provider_.setText(1, name, "赵六")) << readable(provider_.lastError());
    ASSERT_TRUE(provider_.setText(1, age, "41岁"));
    EXPECT_EQ(database_->value(u"select 姓名 || '/' || 年龄 from 职工 where 编号 = 2"), u"赵六/41");
    EXPECT_EQ(text(1, name), "赵六");
}

TEST_P(OdbcProviderTest, ARefusedWriteKeepsTheDatabasesValueAndSaysWhy) {
    ASSERT_TRUE(provider_.open(database_->connection(), "职工"));
    EXPECT_FALSE(provider_.setText(0, age, "-5"));
    EXPECT_EQ(text(0, age), "30");
    EXPECT_EQ(database_->value(u"select 年龄 from 职工 where 编号 = 1"), u"30");
    ASSERT_EQ(failures_.size(), 1u);
    EXPECT_EQ(failures_[0], provider_.lastError());
    EXPECT_FALSE(failures_[0].empty());
}

TEST_P(OdbcProviderTest, AnInvalidDateIsRefusedRatherThanReplaced) {
    createTypes(*database_);
    ASSERT_TRUE(provider_.open(database_->connection(), "select * from 类型表 order by 编号"));
    constexpr int32_t date = 5;
    EXPECT_FALSE(provider_.setText(0, date, "2024年2月30日"));
    EXPECT_EQ(text(0, date), "2024年3月5日");
    ASSERT_EQ(failures_.size(), 1u);
    EXPECT_NE(failures_[0].find("2024年2月30日"), std::string::npos);
    ASSERT_TRUE(provider_.setText(0, date, "2025-12-31"));
    EXPECT_EQ(text(0, date), "2025年12月31日");
}

TEST_P(OdbcProviderTest, RowsAreAddedOnlyAfterTheLastAndDeletedAnywhere) {
    createNumbers(*database_, u"数字", 3, false);
    ASSERT_TRUE(provider_.open(database_->connection(), "select * from 数字 order by 编号"));
    EXPECT_FALSE(provider_.insertRows(1, 1));
    EXPECT_FALSE(provider_.insertRows(0, 1));
    EXPECT_FALSE(provider_.insertColumns(0, 1));
    EXPECT_FALSE(provider_.deleteColumns(0, 1));
    EXPECT_EQ(provider_.rowCount(), 3);
    ASSERT_TRUE(provider_.insertRows(3, 2)) << readable(provider_.lastError());
    EXPECT_EQ(provider_.rowCount(), 5);
    EXPECT_EQ(text(4, 2), "");
    EXPECT_EQ(database_->value(u"select count(*) from 数字"), u"5");

    ASSERT_TRUE(provider_.deleteRows(0, 2)) << readable(provider_.lastError());
    EXPECT_EQ(text(0, 2), "第3行");
    EXPECT_FALSE(provider_.deleteRows(2, 2));
    EXPECT_EQ(database_->value(u"select count(*) from 数字 where 编号 < 3"), u"0");
    EXPECT_TRUE(failures_.empty());
}

TEST_P(OdbcProviderTest, ARecordTheTableRefusesIsNotAdded) {
    ASSERT_TRUE(provider_.open(database_->connection(), "职工"));
    EXPECT_FALSE(provider_.insertRows(3, 1));
    EXPECT_EQ(provider_.rowCount(), 3);
    ASSERT_EQ(failures_.size(), 1u);
    EXPECT_NE(failures_[0].find("姓名"), std::string::npos) << readable(failures_[0]);
}

TEST_P(OdbcProviderTest, FormatsAreIgnoredAndTheSizeKeepsItsColumns) {
    createNumbers(*database_, u"数字", 3, false);
    ASSERT_TRUE(provider_.open(database_->connection(), "数字"));
    provider_.setTextColor(0, 0, 0xFF);
    provider_.setFlags(0, 0, grid::CellFlags::kBold);
    provider_.setRowHeights(0, 1, 999);
    grid::Cell cell;
    ASSERT_TRUE(provider_.getCell(cell, 0, 0, false));
    EXPECT_EQ(cell.textColor(), 0u);
    EXPECT_EQ(cell.flags() & grid::CellFlags::kBold, 0u);
    EXPECT_EQ(provider_.rowHeight(0), provider_.defaultRowHeight());
    EXPECT_FALSE(provider_.setData(0, 0, {}));

    provider_.setColumnWidths(1, 1, 500);
    EXPECT_EQ(provider_.columnWidth(1), 500);
    EXPECT_FALSE(provider_.setSize(2, 2));
    EXPECT_EQ(provider_.rowCount(), 3);
    ASSERT_TRUE(provider_.setSize(2, 3)) << readable(provider_.lastError());
    EXPECT_EQ(provider_.rowCount(), 2);
    EXPECT_EQ(provider_.columnWidth(1), provider_.defaultColumnWidth());
    EXPECT_EQ(database_->value(u"select count(*) from 数字 where 编号 is null"), u"2");
}

INSTANTIATE_FOR_EACH_BACKEND(OdbcProviderTest);

}  // namespace

namespace {

// Every notice the provider sends through its data source.
class Notices : public grid::ModelView {
public:
    void onModelNotice(const grid::ModelNotice& notice) override { kinds.push_back(notice.kind); }
    std::vector<grid::ModelNotice::Kind> kinds;
};

TEST(OdbcProviderReconnect, ALostConnectionIsToldOnceAndTheNextWriteOpensItAgain) {
    QtTextCodec codec;
    std::string whyNot;
    std::unique_ptr<TestDatabase> test = TestDatabase::create(Backend::postgres, whyNot);
    if (!test) GTEST_SKIP() << whyNot;
    createNumbers(*test, u"大表", 2000, true);
    grid::OdbcProvider provider(measurer, codec);
    grid::DataSrc source;
    Notices notices;
    source.bindProvider(&provider);
    source.addView(&notices);
    std::vector<std::string> failures;
    provider.setFailureListener([&](const std::string& message) { failures.push_back(message); });
    ASSERT_TRUE(provider.open(test->connection(), "select * from 大表 order by 编号"));
    grid::Cell cell;
    ASSERT_TRUE(provider.getCell(cell, 0, 1, true));
    EXPECT_EQ(cell.text(), "3");

    ASSERT_TRUE(test->restartServer());
    // Painting the rows not fetched yet meets the loss many times; it is told once,
    // and what was read stays shown.
    for (int32_t row : {1999, 1998, 1500}) EXPECT_TRUE(provider.getCell(cell, row, 1, true));
    EXPECT_EQ(failures.size(), 1u);
    ASSERT_TRUE(provider.getCell(cell, 0, 1, true));
    EXPECT_EQ(cell.text(), "3");

    // Row 0 was read, so its record is known: the write opens the connection again and
    // the views start over with the rows read again.
    notices.kinds.clear();
    ASSERT_TRUE(provider.setText(0, 1, "7")) << readable(provider.lastError());
    EXPECT_EQ(test->value(u"select 值 from 大表 where 编号 = 1"), u"7");
    EXPECT_EQ(notices.kinds, std::vector{grid::ModelNotice::Kind::Reset});
    ASSERT_TRUE(provider.getCell(cell, 1999, 1, true));
    EXPECT_EQ(cell.text(), "6000");
    EXPECT_EQ(failures.size(), 1u);
}

TEST_P(OdbcProviderTest, AFieldChangedByAnotherUserIsShownWithAMessage) {
    grid::DataSrc source;
    Notices notices;
    source.bindProvider(&provider_);
    source.addView(&notices);
    ASSERT_TRUE(provider_.open(database_->connection(), "select * from 职工 order by 编号"));
    EXPECT_EQ(text(2, age), "25");
    database_->run(u"update 职工 set 年龄 = 26, 姓名 = '王五五' where 编号 = 3");
    EXPECT_FALSE(provider_.setText(2, age, "30"));
    ASSERT_EQ(failures_, std::vector<std::string>{"这条记录已被其他用户修改，已显示数据库中的新值。"});
    EXPECT_EQ(database_->value(u"select 年龄 from 职工 where 编号 = 3"), u"26");
    // The row is repainted whole, with both of the other user's changes.
    EXPECT_EQ(notices.kinds, std::vector{grid::ModelNotice::Kind::Cells});
    EXPECT_EQ(text(2, age), "26");
    EXPECT_EQ(text(2, name), "王五五");
}

}  // namespace

namespace {

// A table the database believes to hold five million rows opens with that estimate at
// once; the rows are counted on another connection meanwhile, and the count, once
// taken over, resets the views.
TEST(OdbcProviderCount, AHugeTableOpensWithTheEstimateAndIsCountedMeanwhile) {
    QtTextCodec codec;
    std::string whyNot;
    std::unique_ptr<TestDatabase> test = TestDatabase::create(Backend::postgres, whyNot);
    if (!test) GTEST_SKIP() << whyNot;
    createNumbers(*test, u"大表", 1000, true);
    test->run(u"analyze 大表");
    test->run(u"update pg_class set reltuples = 5000000 where relname = '大表'");

    grid::OdbcProvider counted(measurer, codec);
    ASSERT_TRUE(counted.open(test->connection(), "大表"));
    EXPECT_EQ(counted.rowCount(), 1000) << "without a listener the rows are counted at once";

    grid::OdbcProvider provider(measurer, codec);
    grid::DataSrc source;
    Notices notices;
    source.bindProvider(&provider);
    source.addView(&notices);
    std::promise<void> done;
    provider.setCountListener([&done] { done.set_value(); });
    ASSERT_TRUE(provider.open(test->connection(), "大表"));
    EXPECT_EQ(provider.rowCount(), 5000000);
    grid::Cell cell;
    ASSERT_TRUE(provider.getCell(cell, 0, 2, true));
    EXPECT_EQ(cell.text(), "第1行");
    ASSERT_EQ(done.get_future().wait_for(std::chrono::seconds(60)), std::future_status::ready);
    provider.settleCount();
    EXPECT_EQ(provider.rowCount(), 1000);
    EXPECT_EQ(notices.kinds, std::vector{grid::ModelNotice::Kind::Reset});
    ASSERT_TRUE(provider.getCell(cell, 999, 2, true));
    EXPECT_EQ(cell.text(), "第1000行");

    // Opened again and closed before the count is over: the count is dropped.
    provider.setCountListener([] {});
    ASSERT_TRUE(provider.open(test->connection(), "大表"));
    provider.clear();
    provider.settleCount();
    EXPECT_EQ(provider.rowCount(), 0);
}

}  // namespace
