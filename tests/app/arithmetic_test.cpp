#include "app/statistics/arithmetic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using app::Aggregate;

TEST(ArithmeticTest, RowsAndColumnsCombineByTheirOperation) {
    EXPECT_EQ(app::combine(Aggregate::Sum, 10, 3), 13);
    EXPECT_EQ(app::combine(Aggregate::Difference, 10, 3), 7);
    EXPECT_EQ(app::combine(Aggregate::Product, 10, 3), 30);
    EXPECT_TRUE(std::isinf(*app::combine(Aggregate::Quotient, 10, 0))) << "no zero check for the quotient";
    EXPECT_EQ(app::combine(Aggregate::Remainder, 7.5, 2), 1.5);
    EXPECT_EQ(app::combine(Aggregate::Remainder, -7, 3), -1) << "the sign of the dividend";
    EXPECT_FALSE(app::combine(Aggregate::Remainder, 7, 0));
}

TEST(ArithmeticTest, RoundingGoesHalfAwayFromZeroWithItsNudge) {
    struct Case {
        double value;
        int places;
        double expected;
    };
    const Case cases[] = {
        {1.005, 2, 1.01}, {1250, -2, 1300}, {-1250, -2, -1300}, {2.5, 0, 3},     {-2.5, 0, -3},
        {0.05, 1, 0.1},   {2.4, 0, 2},      {0, 3, 0},          {123.456, 1, 123.5}, {1e300, 400, 1e300},
        {1e300, -400, 0}, {-7, -400, -0.0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(app::roundHalfAway(c.value, c.places), c.expected) << c.value;
    EXPECT_TRUE(std::isinf(app::roundHalfAway(std::numeric_limits<double>::infinity(), 2)));
}

TEST(ArithmeticTest, ResultsAreWrittenWithoutANegativeZero) {
    const std::pair<double, const char*> cases[] = {
        {app::roundHalfAway(-0.4, 0), "0"}, {0.0 * -1, "0"},      {*app::combine(Aggregate::Remainder, -4, 2), "0"},
        {-0.5, "-0.5"},                     {1e13, "1e+13"},      {-1e-300, "-1e-300"},
    };
    for (auto [value, expected] : cases) EXPECT_EQ(app::resultText(value), expected) << value;
}

TEST(ArithmeticTest, OnlySpacesCountAsBlank) {
    EXPECT_TRUE(app::isBlank(""));
    EXPECT_TRUE(app::isBlank("  \xA1\xA1 "));
    EXPECT_FALSE(app::isBlank(" 0 "));
    EXPECT_FALSE(app::isBlank("\xA1"));
}

}  // namespace
