// Which cell texts become numbers and dates in a workbook, and how texts are carried.
#include <gtest/gtest.h>

#include <optional>

#include "grid/xlsx/cell_value.h"
#include "tests/grid/xlsx/workbook_reader.h"

namespace {

using grid::xlsx::sheetDateOf;
using grid::xlsx::wholeNumberOf;

TEST(CellValueTest, OnlyTextsThatAreOneWholeNumberBecomeNumbers) {
    struct Case {
        const char* text;
        std::optional<double> number;
    } cases[] = {
        {"12500", 12500},
        {" -3.25 ", -3.25},
        {"+7", 7},
        {"３．５", 3.5},  // full-width digits and point, as people type them
        {"1e3", 1000},
        {"2.5E-2", 0.025},
        {"3.", 3},
        {".5", 0.5},
        {"0", 0},
        {"0.75", 0.75},
        {"-0.5", -0.5},
        {"123456789012345", 123456789012345.0},
        {"1.50000000000000000000", 1.5},  // zeros after the last digit add no precision
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"1e", std::nullopt},
        {"1e+", std::nullopt},
        {".", std::nullopt},
        {"-", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"0x1F", std::nullopt},
        {"inf", std::nullopt},
        {"1e400", std::nullopt},
        {"0571", std::nullopt},                // area codes keep their zero
        {"1234567890123456", std::nullopt},    // more digits than a workbook keeps
        {"110101199003071234", std::nullopt},  // identity numbers stay exact
        {"一百", std::nullopt},
    };
    for (const Case& item : cases) {
        std::optional<double> number = wholeNumberOf(item.text);
        EXPECT_EQ(number.has_value(), item.number.has_value()) << item.text;
        if (number && item.number) {
            EXPECT_DOUBLE_EQ(*number, *item.number) << item.text;
        }
    }
}

TEST(CellValueTest, DatesFromMarch1900OnAreSerialDaysWithTheTimeAsFraction) {
    std::optional<grid::xlsx::SheetDate> date = sheetDateOf("2026年3月5日");
    ASSERT_TRUE(date);
    EXPECT_DOUBLE_EQ(date->serial, 46086);
    EXPECT_FALSE(date->hasTime);

    date = sheetDateOf("2026年3月5日18时");
    ASSERT_TRUE(date);
    EXPECT_DOUBLE_EQ(date->serial, 46086.75);
    EXPECT_TRUE(date->hasTime);

    date = sheetDateOf("1900-03-01");
    ASSERT_TRUE(date);
    EXPECT_DOUBLE_EQ(date->serial, 61);

    // Workbooks count a 29 February 1900 that never was, so earlier days have no
    // serial that both sides read alike.
    EXPECT_FALSE(sheetDateOf("1900-02-28"));
    EXPECT_FALSE(sheetDateOf("1899-12-31"));
    EXPECT_FALSE(sheetDateOf("2026年13月5日"));
    EXPECT_FALSE(sheetDateOf("明天"));
}

TEST(CellValueTest, TextsBecomeUtf8WithSingleLineFeeds) {
    EXPECT_EQ(grid::xlsx::workbookText("部门"), utf8(u8"部门"));
    EXPECT_EQ(grid::xlsx::workbookText("一\r\n二\r三\n四\r"), utf8(u8"一\n二\n三\n四\n"));
    EXPECT_EQ(grid::xlsx::workbookText(""), "");
}

TEST(CellValueTest, LongTextsAreCutBetweenCharacters) {
    using grid::xlsx::firstCharacters;
    const std::string mixed = utf8(u8"a表b格");
    EXPECT_EQ(firstCharacters(mixed, 0), "");
    EXPECT_EQ(firstCharacters(mixed, 2), utf8(u8"a表"));
    EXPECT_EQ(firstCharacters(mixed, 3), utf8(u8"a表b"));
    EXPECT_EQ(firstCharacters(mixed, 4), mixed);
    EXPECT_EQ(firstCharacters(mixed, 100), mixed);
}

}  // namespace
