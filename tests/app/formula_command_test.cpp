// The formula command on the main window's selection: results beside the expressions
// or appended to them, and a second run that leaves finished cells as they are.
#include <gtest/gtest.h>

#include "app/application.h"
#include "app/routines/routine.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "tests/app/main_window_start.h"

namespace {

using namespace app;

class FormulaCommandTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initialiseRuntime(); }
    void SetUp() override { ASSERT_TRUE(startMainWindow()); }
    void TearDown() override { closeMainWindow(); }
    static std::string text(int32_t row, int32_t column) { return mainDataSource().cellText(row, column); }
    static void put(int32_t row, int32_t column, std::string_view value) {
        mainDataSource().setCellText(row, column, value);
    }
};

TEST_F(FormulaCommandTest, ResultsGoBesideWhenTheTopRightCellIsEmpty) {
    put(1, 1, "2*(3+4)");
    put(2, 1, "[1+2]*[3+4]");
    put(3, 1, "2+");
    put(3, 2, "unchanged");
    selectCells(1, 1, 3, 2);
    routines::evaluateFormulas({});
    EXPECT_EQ(text(1, 2), "14");
    EXPECT_EQ(text(2, 2), "21");
    EXPECT_EQ(text(3, 2), "unchanged") << "a malformed expression writes nothing";
    EXPECT_EQ(text(1, 1), "2*(3+4)");
    EXPECT_EQ(appState().undoHistory.size(), 2u) << "one undo state for the whole command";
    EXPECT_EQ(appState().modified, 1);
}

TEST_F(FormulaCommandTest, InPlaceAppendsTheResultAndASecondRunKeepsIt) {
    put(1, 1, "1+2=");
    put(1, 2, "7");
    put(2, 1, " 12 * ( 3 + 4 ) =");
    selectCells(1, 1, 2, 2);
    routines::evaluateFormulas({});
    EXPECT_EQ(text(1, 1), "1+2=3");
    EXPECT_EQ(text(1, 2), "7=7");
    EXPECT_EQ(text(2, 1), "12*(3+4)=84");
    EXPECT_EQ(appState().undoHistory.size(), 2u);
    routines::evaluateFormulas({});
    EXPECT_EQ(text(1, 1), "1+2=3") << "not 1+23=24";
    EXPECT_EQ(text(2, 1), "12*(3+4)=84");
    EXPECT_EQ(appState().undoHistory.size(), 2u) << "a second run changes nothing";
}

// "=1+2", as spreadsheets are typed, is the expression 1+2.
TEST_F(FormulaCommandTest, ALeadingEqualsSignIsTheHabitOfSpreadsheets) {
    put(1, 1, "=1+2");
    put(2, 1, "=2*3");
    selectCells(1, 1, 2, 1);
    routines::evaluateFormulas({});
    EXPECT_EQ(text(1, 1), "1+2=3");
    EXPECT_EQ(text(2, 1), "2*3=6");
    put(3, 1, "=2*3");
    selectCells(3, 1, 1, 2);
    routines::evaluateFormulas({});
    EXPECT_EQ(text(3, 2), "6");
    EXPECT_EQ(text(3, 1), "=2*3") << "beside, the expression stays as typed";
}

// A result in exponent form written beside is read again as the number it is.
TEST_F(FormulaCommandTest, AResultInExponentFormIsReadBackAsItself) {
    put(1, 1, "5e12*2");
    selectCells(1, 1, 1, 3);
    routines::evaluateFormulas({});
    EXPECT_EQ(text(1, 2), "1e+13");
    EXPECT_EQ(text(1, 3), "1e+13") << "not 1+13";
}

TEST_F(FormulaCommandTest, NothingToEvaluateRecordsNothing) {
    put(1, 1, "2+");
    selectCells(1, 1, 2, 2);
    routines::popupEvaluateFormulas({});
    EXPECT_EQ(appState().undoHistory.size(), 1u);
    EXPECT_EQ(appState().modified, 0);
}

}  // namespace
