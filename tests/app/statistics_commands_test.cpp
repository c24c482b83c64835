// The statistics menu on the main window's selection: where the results go, the
// messages, the operand boxes, and a failed remainder that leaves the table alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/application.h"
#include "app/routines/routine.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "tests/app/main_window_start.h"
#include "tests/app/modal_responder.h"

namespace {

using namespace app;

class StatisticsCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initialiseRuntime(); }
    void SetUp() override { ASSERT_TRUE(startMainWindow()); }
    void TearDown() override { closeMainWindow(); }

    static std::string text(int32_t row, int32_t column) { return mainDataSource().cellText(row, column); }
    // Fills a row from (row, column) on; nullptr leaves a cell empty.
    static void putRow(int32_t row, int32_t column, std::initializer_list<const char*> texts) {
        for (const char* value : texts) mainDataSource().setCellText(row, column++, value ? value : "");
    }
    static size_t states() { return appState().undoHistory.size(); }
};

TEST_F(StatisticsCommandsTest, RowResultsGoIntoTheFreeLastColumnSkippingEmptyCells) {
    putRow(1, 1, {"10", "3", nullptr, "2", nullptr});
    putRow(2, 1, {nullptr, "4", "１２元", nullptr, nullptr});
    // A filled first cell in the last row keeps the column pass out.
    putRow(3, 1, {"1"});
    selectCells(1, 1, 3, 5);
    routines::differenceSelection({});
    EXPECT_EQ(text(1, 5), "5");
    EXPECT_EQ(text(2, 5), "-16") << "an empty first cell counts as 0";
    EXPECT_EQ(text(3, 5), "1");
    EXPECT_EQ(text(3, 2), "");
    putRow(5, 1, {"2", nullptr, "4", nullptr});
    selectCells(5, 1, 1, 4);
    routines::productSelection({});
    EXPECT_EQ(text(5, 4), "8");
    EXPECT_EQ(states(), 3u);
}

TEST_F(StatisticsCommandsTest, AColumnWithItsTopCellFilledTotalsIntoItsLastRow) {
    putRow(1, 1, {"1.5"});
    putRow(2, 1, {"2"});
    selectCells(1, 1, 3, 1);
    routines::sumSelection({});
    EXPECT_EQ(text(3, 1), "3.5");
}

// One row (one column) has no column (row) pass: its lines would hold one cell each,
// and each cell would get its own value back, texts and empty cells as 0.
TEST_F(StatisticsCommandsTest, OneRowOrOneColumnIsTotalledAlongItsLengthOnly) {
    const std::vector<const char*> line = {nullptr, "苹果", "1.50", "2", nullptr};
    const std::vector<std::string> expected = {"", "苹果", "1.50", "2", "3.5"};
    for (bool alongRow : {true, false}) {
        for (int32_t i = 0; i < static_cast<int32_t>(line.size()); ++i) {
            mainDataSource().setCellText(alongRow ? 2 : i + 2, alongRow ? i + 2 : 2, line[i] ? line[i] : "");
        }
        alongRow ? selectCells(2, 2, 1, 5) : selectCells(2, 2, 5, 1);
        routines::sumSelection({});
        std::vector<std::string> cells;
        for (int32_t i = 0; i < 5; ++i) cells.push_back(alongRow ? text(2, i + 2) : text(i + 2, 2));
        EXPECT_EQ(cells, expected) << (alongRow ? "one row" : "one column");
    }
}

TEST_F(StatisticsCommandsTest, WithoutAPlaceForResultsThePersonIsToldAndNothingChanges) {
    struct Case {
        int32_t rows;
        int32_t columns;
        const char16_t* message;
    };
    putRow(1, 1, {"1", "2"});
    putRow(2, 1, {"3", "  "});
    const Case cases[] = {
        {1, 1, u"请选择要计算的数值，并多选择一行或一列用于保存计算结果。"},
        {2, 2, u"请多选择一行或一列用于保存计算结果。"},
    };
    for (const Case& c : cases) {
        selectCells(1, 1, c.rows, c.columns);
        ModalResponder responder;
        responder.pressButton(u"确定");
        routines::sumSelection({});
        ASSERT_EQ(responder.seen().size(), 1u);
        EXPECT_EQ(responder.seen()[0].text, QString::fromUtf16(c.message));
        EXPECT_EQ(responder.seen()[0].caption, QStringLiteral("提示："));
    }
    EXPECT_EQ(text(2, 2), "  ");
    EXPECT_EQ(states(), 1u);
}

TEST_F(StatisticsCommandsTest, ARemainderByZeroSaysSoAndLeavesEveryCellAsItWas) {
    putRow(1, 1, {"7", "2", nullptr});
    putRow(2, 1, {"7", "0", nullptr});
    selectCells(1, 1, 2, 3);
    ModalResponder responder;
    responder.pressButton(u"确定");
    routines::remainderSelection({});
    ASSERT_EQ(responder.seen().size(), 1u);
    EXPECT_EQ(responder.seen()[0].text, QStringLiteral("不能求余数于零"));
    EXPECT_EQ(text(1, 3), "") << "the first row's result was taken back";
    EXPECT_EQ(states(), 1u);
    EXPECT_EQ(appState().modified, 0);
}

TEST_F(StatisticsCommandsTest, BatchArithmeticAsksForTheOperandAndChoosesWhereToWrite) {
    putRow(1, 1, {"1", nullptr});
    putRow(2, 1, {"x", "2.5"});
    selectCells(1, 1, 2, 2);
    {
        ModalResponder responder;
        responder.enterText(QStringLiteral("5"));
        routines::addToSelection({});
        ASSERT_EQ(responder.seen().size(), 1u);
        EXPECT_EQ(responder.seen()[0].caption, QStringLiteral("请输入："));
    }
    EXPECT_EQ((std::vector<std::string>{text(1, 1), text(1, 2), text(2, 1), text(2, 2)}),
              (std::vector<std::string>{"6", "5", "5", "7.5"}))
        << "neither probe holds: in place";

    putRow(5, 1, {"3", nullptr});
    putRow(6, 1, {"4", nullptr});
    selectCells(5, 1, 2, 2);
    {
        ModalResponder responder;
        responder.enterText(QStringLiteral("2"));
        routines::multiplySelection({});
    }
    EXPECT_EQ(text(5, 2), "6");
    EXPECT_EQ(text(6, 2), "8");
    EXPECT_EQ(text(5, 1), "3") << "shift right keeps the left column";
    {
        ModalResponder responder;
        responder.cancelDialog();
        routines::divideSelection({});
    }
    EXPECT_EQ(text(5, 2), "6") << "a cancelled box changes nothing";
    EXPECT_EQ(states(), 3u);
}

TEST_F(StatisticsCommandsTest, RoundingAsksForThePositionFirst) {
    putRow(1, 1, {"1.005", "-1250"});
    putRow(2, 1, {"-0.001", "x"});
    putRow(3, 1, {"2.5", "-0.004"});
    selectCells(1, 1, 3, 2);
    ModalResponder responder;
    responder.enterText(QStringLiteral("2"));
    routines::roundSelection({});
    ASSERT_EQ(responder.seen().size(), 1u);
    EXPECT_EQ(responder.seen()[0].caption, QStringLiteral("四舍五入："));
    EXPECT_EQ(text(1, 1), "1.01");
    EXPECT_EQ(text(1, 2), "-1250");
    EXPECT_EQ(text(2, 1), "0") << "not -0";
    EXPECT_EQ(text(2, 2), "0");
    EXPECT_EQ(text(3, 1), "2.5");
    EXPECT_EQ(text(3, 2), "0");
}

}  // namespace
