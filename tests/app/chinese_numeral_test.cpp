#include "app/edit/chinese_numeral.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct NumeralCase {
    int64_t value;
    const char* expected;
};

TEST(ChineseNumeral, WritesNumbersAsTheyAreRead) {
    const NumeralCase cases[] = {
        {1, "一"},
        {9, "九"},
        {10, "十"},
        {11, "十一"},
        {19, "十九"},
        {20, "二十"},
        {23, "二十三"},
        {99, "九十九"},
        {100, "一百"},
        {101, "一百零一"},
        {105, "一百零五"},
        {110, "一百一十"},
        {111, "一百一十一"},
        {999, "九百九十九"},
        {1000, "一千"},
        {1001, "一千零一"},
        {1010, "一千零一十"},
        {1100, "一千一百"},
        {2024, "二千零二十四"},
        {9999, "九千九百九十九"},
    };
    for (const NumeralCase& c : cases) EXPECT_EQ(app::chineseNumeral(c.value), c.expected) << c.value;
}

TEST(ChineseNumeral, GroupsFourPlacesUnderWanAndYi) {
    const NumeralCase cases[] = {
        {10000, "一万"},
        {10001, "一万零一"},
        {10010, "一万零一十"},
        {10100, "一万零一百"},
        {11000, "一万一千"},
        {15000, "一万五千"},
        {100000, "十万"},
        {110000, "十一万"},
        {100010, "十万零一十"},
        {1000000, "一百万"},
        {1010000, "一百零一万"},
        {1100000, "一百一十万"},
        {20005000, "二千万五千"},
        {20000500, "二千万零五百"},
        {100000000, "一亿"},
        {100000001, "一亿零一"},
        {100100000, "一亿零一十万"},
        {110000000, "一亿一千万"},
        {1000000000, "十亿"},
        {1000010001, "十亿零一万零一"},
        {1000000000000, "一万亿"},
        {10000000000000000, "一亿亿"},
    };
    for (const NumeralCase& c : cases) EXPECT_EQ(app::chineseNumeral(c.value), c.expected) << c.value;
}

TEST(ChineseNumeral, ZeroNegativeAndTheEndsOfTheRange) {
    EXPECT_EQ(app::chineseNumeral(0), "零");
    EXPECT_EQ(app::chineseNumeral(-15), "负十五");
    EXPECT_EQ(app::chineseNumeral(-100010), "负十万零一十");
    EXPECT_EQ(app::chineseNumeral(std::numeric_limits<int64_t>::max()),
              "九百二十二亿三千三百七十二万零三百六十八亿五千四百七十七万五千八百零七");
    EXPECT_EQ(app::chineseNumeral(std::numeric_limits<int64_t>::min()),
              "负九百二十二亿三千三百七十二万零三百六十八亿五千四百七十七万五千八百零八");
}

}  // namespace
