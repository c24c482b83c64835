#include "runtime/value/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct NumberCase {
    const char* text;
    double expected;
};

TEST(TextToNumber, TakesTheLongestLeadingDecimalNumber) {
    const NumberCase cases[] = {
        {"", 0},          {"abc", 0},         {"12元", 12},      {" -3.5e2x", -350},
        {"1e", 1},        {"1e+", 1},         {"2E-3", 0.002},   {".5", 0.5},
        {"5.", 5},        {"-.5", -0.5},      {"+7", 7},         {"3 4", 3},
        {"--5", 0},       {"+-5", 0},         {".", 0},          {"-", 0},
        {"\t\n 8", 8},    {"0x10", 0},        {"inf", 0},        {"nan", 0},
        {"1.2.3", 1.2},   {"007", 7},         {"1,5", 1},        {"1e-400", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(rt::textToNumber(c.text), c.expected) << c.text;
}

TEST(TextToNumber, FoldsFullWidthFormsFirst) {
    const NumberCase cases[] = {
        {"１２．５", 12.5}, {"－３", -3}, {"＋４", 4}, {"　１", 1},  // ideographic space
        {"１ｅ２", 100},    {"．５", 0.5}, {"１２元", 12},
    };
    for (const auto& c : cases) EXPECT_EQ(rt::textToNumber(c.text), c.expected) << c.text;
}

TEST(TextToNumber, OverflowGivesInfinityOfTheSign) {
    EXPECT_EQ(rt::textToNumber("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(rt::textToNumber("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(rt::textToNumber(std::string(5000, '9') + "x"), std::numeric_limits<double>::infinity());
}

TEST(FoldFullWidth, FoldsOnlyTheNamedForms) {
    EXPECT_EQ(rt::foldFullWidth("ＡＢｃ１"), "ABc1");
    EXPECT_EQ(rt::foldFullWidth("～"), "~");
    EXPECT_EQ(rt::foldFullWidth("☆★"), "**");
    EXPECT_EQ(rt::foldFullWidth("a　b"), "a b");
    EXPECT_EQ(rt::foldFullWidth("年月"), "年月");
    // A lead byte without its trail byte at the end of the text is kept as it is.
    EXPECT_EQ(rt::foldFullWidth("1\xA3"), "1\xA3");
    // A trail byte that looks like 0xA3 belongs to the character before it.
    EXPECT_EQ(rt::foldFullWidth("\xB0\xA3\xA3\xB1"), "\xB0\xA3" "1");
}

TEST(NumberToText, UsesThirteenSignificantDigits) {
    const std::pair<double, const char*> cases[] = {
        {1.5, "1.5"},
        {100, "100"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.3333333333333"},
        {1234567890123.0, "1234567890123"},
        {1e13, "1e+13"},
        {0.0001, "0.0001"},
        {0.00001, "1e-05"},
        {-2.5, "-2.5"},
        {0, "0"},
        {std::numeric_limits<double>::infinity(), "inf"},
        {-std::numeric_limits<double>::infinity(), "-inf"},
        {std::nan(""), "nan"},
        {-std::nan(""), "nan"},
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(rt::numberToText(value), expected);
}

TEST(NumberToText, SpecialFormsReadBackAsZero) {
    for (const char* text : {"inf", "-inf", "nan"}) EXPECT_EQ(rt::textToNumber(text), 0) << text;
}

TEST(IntegerOf, TakesSignAndLeadingDigits) {
    const std::pair<const char*, int32_t> cases[] = {
        {"  42abc", 42},
        {"４２", 42},
        {"－７", -7},
        {"abc", 0},
        {"", 0},
        {"+5", 5},
        {"1.9", 1},
        {"- 5", 0},
        {"2147483647", 2147483647},
        {"99999999999", std::numeric_limits<int32_t>::max()},
        {"-99999999999", std::numeric_limits<int32_t>::min()},
        {"120%", 120},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(rt::integerOf(text), expected) << text;
}

TEST(LeadingInteger, SaturatesAtTheSixtyFourBitRange) {
    constexpr auto highest = std::numeric_limits<int64_t>::max();
    constexpr auto lowest = std::numeric_limits<int64_t>::min();
    EXPECT_EQ(rt::leadingInteger("9223372036854775807"), highest);
    EXPECT_EQ(rt::leadingInteger("9223372036854775808"), highest);
    EXPECT_EQ(rt::leadingInteger("-9223372036854775808"), lowest);
    EXPECT_EQ(rt::leadingInteger("-9223372036854775809"), lowest);
    EXPECT_EQ(rt::leadingInteger(std::string(10000, '7')), highest);
    EXPECT_EQ(rt::leadingInteger(" -12x"), -12);
}

}  // namespace
