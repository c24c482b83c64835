#include "app/statistics/formula.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using app::evaluateFormula;

TEST(FormulaTest, ExpressionsGiveTheirArithmeticValue) {
    const std::pair<const char*, const char*> cases[] = {
        {"2+3*4-6/2", "11"}, {"10-4-3", "3"},        {"2*3+4", "10"},       {"100/4/5", "5"},
        {"(5)", "5"},        {"2*(5)", "10"},        {"(1-3)*2", "-4"},     {"-5", "-5"},
        {"-(2+3)*2", "-10"}, {"[2*(1+2)]", "6"},     {"((1+2)*3)", "9"},    {"[1+2]*[3+4]", "21"},
        {"2*(3+4)", "14"},   {"1/0", "inf"},         {"3 + 4", "7"},        {"1,000+1", "1001"},
        {"(2x+1)*2", "6"},   {"+2*-3", "-6"},        {"0.1+0.2", "0.3"},    {"1/3", "0.3333333333333"},
        {"１２", "１２"},     {"7", "7"},             {"abc", "abc"},        {"2\xA1\xA1+\xA1\xA1" "2", "4"},
    };
    for (auto [text, expected] : cases) {
        std::optional<std::string> result = evaluateFormula(text);
        ASSERT_TRUE(result) << text;
        EXPECT_EQ(*result, expected) << text;
    }
}

// The exponent's sign belongs to the number, so the command's own results (1e+13)
// read as what they are.
TEST(FormulaTest, NumbersMayHaveAnExponent) {
    const std::pair<const char*, const char*> cases[] = {
        {"1e3+1", "1001"},         {"1.5E-3*2", "0.003"}, {"2e+10/2", "10000000000"}, {"1e+13", "1e+13"},
        {"5e12*2", "1e+13"},       {"-1e-3+1e-3", "0"},   {"2e*3", "6"},              {"e3+1", "4"},
        {"1\xA3\xC5" "2+1", "13"},
    };
    for (auto [text, expected] : cases) EXPECT_EQ(evaluateFormula(text), expected) << text;
}

TEST(FormulaTest, AZeroResultHasNoSign) {
    for (const char* text : {"0*-1", "-0", "-(1-1)", "-1e-3*0"}) EXPECT_EQ(evaluateFormula(text), "0") << text;
}

TEST(FormulaTest, MalformedExpressionsGiveNothing) {
    for (const char* text : {"2+", "*3", "(1+2", "1+2)", "[1+2)", "()", "2(3)", "1++", "(", "5*/2"}) {
        EXPECT_FALSE(evaluateFormula(text)) << text;
    }
}

// The second byte of a Chinese character may be the byte of "[" or "]".
TEST(FormulaTest, ChineseCharactersAreSkippedWhole) {
    const std::string text = "\xB5\x5B" "3+4";  // a character whose second byte is "["
    EXPECT_EQ(evaluateFormula(text), "7");
    EXPECT_EQ(evaluateFormula("单价12*数量3"), "36");
}

TEST(FormulaTest, BracketsNestedBeyondTheLimitAreRefusedWithoutExhaustingTheStack) {
    const int depth = app::kMaximumFormulaDepth - 1;
    std::string nested = std::string(depth, '(') + "1+1" + std::string(depth, ')');
    EXPECT_EQ(evaluateFormula(nested), "2");
    EXPECT_FALSE(evaluateFormula(std::string(1'000'000, '(') + "1"));
    EXPECT_FALSE(evaluateFormula(std::string(1'000'000, '-') + "1"));
}

TEST(FormulaTest, AnEarlierResultAfterTheEqualsSignIsNotPartOfTheExpression) {
    const std::pair<const char*, const char*> cases[] = {
        {"1+2=", "1+2"}, {"1+2=3", "1+2"}, {" 1 + 2 = 3 ", "1+2"}, {"7", "7"},
        {"=5", "5"},     {"=1+2", "1+2"},   {" = 1+2=3", "1+2"},   {"==1", ""}, {"a=b=c", "a"}};
    for (auto [text, expression] : cases) EXPECT_EQ(app::formulaCellOf(text).expression, expression) << text;
    EXPECT_TRUE(app::formulaCellOf("1+2=").hadEquals);
    EXPECT_FALSE(app::formulaCellOf("1+2").hadEquals);
}

}  // namespace
