#include <gtest/gtest.h>

#include <vector>

#include "app/filter/compare_text.h"
#include "app/filter/filter_rules.h"
#include "app/filter/table_filter.h"
#include "tests/app/table_unit.h"

namespace {

using app::FilterChoice;
using app::FilterCondition;
using app::FilterRules;
using app::FilterTest;
using testing_support::TableUnit;

TEST(CompareText, ComparesCharacterValuesNotNumbers) {
    EXPECT_EQ(app::compareText("10", "50", true), -1);
    EXPECT_EQ(app::compareText("9", "50", true), 1);
    EXPECT_EQ(app::compareText("100", "50", true), -1);
    EXPECT_EQ(app::compareText("ab", "abc", true), -1);
    EXPECT_EQ(app::compareText("abc", "ab", true), 1);
    EXPECT_EQ(app::compareText("", "", true), 0);
    // A double-byte character counts as one value, above every single byte.
    EXPECT_EQ(app::compareText("表", "z", true), 1);
    EXPECT_EQ(app::compareText("\xB1\xED", "\xB1\xEE", true), -1);
}

TEST(CompareText, FoldsOnlySingleByteLetters) {
    EXPECT_EQ(app::compareText("ABC", "abc", false), 0);
    EXPECT_EQ(app::compareText("ABC", "abc", true), -1);
    // Letters fold to lower case, so "_" sorts before them.
    EXPECT_EQ(app::compareText("_", "A", false), -1);
    // The trail byte 0x41 of a double-byte character is not the letter A.
    EXPECT_EQ(app::foldCase("\x81\x41" "A"), "\x81\x41" "a");
}

TEST(ContainsText, AdvancesByWholeCharacters) {
    EXPECT_TRUE(app::containsText("表格", "格", true));
    // The bytes ED B8 span the two characters of 表格 (B1 ED B8 F1): not a character.
    EXPECT_FALSE(app::containsText("表格", "\xED\xB8", true));
    EXPECT_TRUE(app::containsText("Hello", "LL", false));
    EXPECT_FALSE(app::containsText("Hello", "LL", true));
    EXPECT_TRUE(app::containsText("x", "", true));
    EXPECT_FALSE(app::containsText("", "", true));
}

TEST(FilterRules, EachChoiceDeletesItsSide) {
    FilterRules greaterKeep({{FilterTest::Greater, "50", FilterChoice::Keep}}, false);
    EXPECT_FALSE(greaterKeep.asksToDelete("9"));
    EXPECT_TRUE(greaterKeep.asksToDelete("10"));
    EXPECT_TRUE(greaterKeep.asksToDelete("100"));

    FilterRules equalDelete({{FilterTest::Equal, "abc", FilterChoice::Delete}}, false);
    EXPECT_TRUE(equalDelete.asksToDelete("ABC"));
    FilterRules equalDeleteCase({{FilterTest::Equal, "abc", FilterChoice::Delete}}, true);
    EXPECT_FALSE(equalDeleteCase.asksToDelete("ABC"));

    FilterRules neither({{FilterTest::Equal, "abc", FilterChoice::Neither}}, false);
    EXPECT_FALSE(neither.asksToDelete("abc"));
    EXPECT_FALSE(neither.asksToDelete("x"));

    FilterRules emptyContains({{FilterTest::Contains, "", FilterChoice::Delete}}, false);
    EXPECT_TRUE(emptyContains.asksToDelete("x"));
    EXPECT_FALSE(emptyContains.asksToDelete(""));
}

TEST(FilterRules, PatternsIgnoreCaseAndAnInvalidOneNeverMatches) {
    FilterRules startsKeep({{FilterTest::StartsWith, "ab", FilterChoice::Keep}}, true);
    EXPECT_FALSE(startsKeep.asksToDelete("AB12"));
    EXPECT_TRUE(startsKeep.asksToDelete("xab"));
    FilterRules endsDelete({{FilterTest::EndsWith, "表", FilterChoice::Delete}}, false);
    EXPECT_TRUE(endsDelete.asksToDelete("数据表"));
    EXPECT_FALSE(endsDelete.asksToDelete("表格"));
    // The value is a pattern: "." is any character.
    FilterRules dot({{FilterTest::StartsWith, "a.c", FilterChoice::Delete}}, false);
    EXPECT_TRUE(dot.asksToDelete("abc"));
    FilterRules invalid({{FilterTest::StartsWith, "(", FilterChoice::Keep}}, false);
    EXPECT_TRUE(invalid.asksToDelete("("));
    FilterRules invalidDelete({{FilterTest::StartsWith, "(", FilterChoice::Delete}}, false);
    EXPECT_FALSE(invalidDelete.asksToDelete("("));
}

TEST(FilterRules, NameTheFirstConditionWhosePatternDoesNotCompile) {
    struct Case {
        std::vector<app::FilterCondition> conditions;
        const char* invalid;  // nullptr: every pattern compiles
    };
    const Case cases[] = {
        {{{FilterTest::StartsWith, "a(", FilterChoice::Keep}}, "a("},
        {{{FilterTest::EndsWith, "[x", FilterChoice::Delete}}, "[x"},
        {{{FilterTest::Contains, "(", FilterChoice::Keep}, {FilterTest::EndsWith, "*", FilterChoice::Keep},
          {FilterTest::StartsWith, ")", FilterChoice::Keep}},
         "*"},
        {{{FilterTest::Equal, "(", FilterChoice::Keep}, {FilterTest::StartsWith, "a.c", FilterChoice::Keep}}, nullptr},
        {{}, nullptr},
    };
    for (const Case& c : cases) {
        FilterRules rules(c.conditions, false);
        const FilterCondition* invalid = rules.invalidPattern();
        if (!c.invalid) {
            EXPECT_EQ(invalid, nullptr) << (invalid ? invalid->value : "");
        } else {
            ASSERT_NE(invalid, nullptr) << c.invalid;
            EXPECT_EQ(invalid->value, c.invalid);
        }
    }
}

TEST(FilterRules, AnyConditionAskingForDeletionIsEnough) {
    FilterRules two({{FilterTest::Contains, "x", FilterChoice::Delete}, {FilterTest::Less, "m", FilterChoice::Delete}},
                    false);
    EXPECT_TRUE(two.asksToDelete("zx"));
    EXPECT_TRUE(two.asksToDelete("a"));
    EXPECT_FALSE(two.asksToDelete("z"));
}

std::vector<std::string> column(const app::DataSourceRef& table, int32_t column) {
    std::vector<std::string> texts;
    for (int32_t row = 1; row <= table.rowCount(); ++row) texts.push_back(table.cellText(row, column));
    return texts;
}

TEST(TableFilter, DeletesRowsFromTheFirstExaminedOneOnly) {
    TableUnit unit(5, 2);
    app::DataSourceRef table = unit.ref();
    const char* keys[] = {"head", "10", "9", "100", "7"};
    for (int32_t row = 1; row <= 5; ++row) {
        table.setCellText(row, 2, keys[row - 1]);
        table.setCellText(row, 1, std::to_string(row));
    }
    FilterRules rules({{FilterTest::Greater, "50", FilterChoice::Keep}}, false);
    // Rows 2 to 5 are examined by their cells in column 2; "head" stays above.
    EXPECT_EQ(app::filterTable(table, rules, app::FilterDirection::Rows, 2, 2), 2);
    EXPECT_EQ(column(table, 2), (std::vector<std::string>{"head", "9", "7"}));
    EXPECT_EQ(column(table, 1), (std::vector<std::string>{"1", "3", "5"}));
}

TEST(TableFilter, DeletesColumnsByTheKeyRow) {
    TableUnit unit(2, 4);
    app::DataSourceRef table = unit.ref();
    const char* keys[] = {"a1", "b", "a2", ""};
    for (int32_t columnNumber = 1; columnNumber <= 4; ++columnNumber) {
        table.setCellText(2, columnNumber, keys[columnNumber - 1]);
    }
    FilterRules rules({{FilterTest::StartsWith, "A", FilterChoice::Keep}}, true);
    EXPECT_EQ(app::filterTable(table, rules, app::FilterDirection::Columns, 1, 2), 2);
    EXPECT_EQ(table.columnCount(), 2);
    EXPECT_EQ(table.cellText(2, 1), "a1");
    EXPECT_EQ(table.cellText(2, 2), "a2");
}

TEST(TableFilter, AskedFirstHowManyLinesGoAndARefusalKeepsThemAll) {
    TableUnit unit(4, 1);
    app::DataSourceRef table = unit.ref();
    for (int32_t row = 1; row <= 4; ++row) table.setCellText(row, 1, row % 2 ? "x" : "y");
    FilterRules rules({{FilterTest::Equal, "x", FilterChoice::Delete}}, false);
    std::vector<int32_t> asked;
    auto answer = [&asked](bool agree) {
        return [&asked, agree](int32_t count) {
            asked.push_back(count);
            return agree;
        };
    };
    EXPECT_EQ(app::filterTable(table, rules, app::FilterDirection::Rows, 1, 1, answer(false)), 0);
    EXPECT_EQ(table.rowCount(), 4);
    EXPECT_EQ(app::filterTable(table, rules, app::FilterDirection::Rows, 1, 1, answer(true)), 2);
    EXPECT_EQ(column(table, 1), (std::vector<std::string>{"y", "y"}));
    EXPECT_EQ(app::filterTable(table, rules, app::FilterDirection::Rows, 1, 1, answer(true)), 0);
    EXPECT_EQ(asked, (std::vector<int32_t>{2, 2})) << "nothing to delete asks nothing";
}

TEST(TableFilter, NothingToExamineDeletesNothing) {
    TableUnit unit(2, 2);
    FilterRules rules({{FilterTest::Contains, "", FilterChoice::Keep}}, false);
    EXPECT_EQ(app::filterTable(unit.ref(), rules, app::FilterDirection::Rows, 3, 1), 0);
    EXPECT_EQ(app::filterTable(unit.ref(), FilterRules({}, false), app::FilterDirection::Rows, 1, 1), 0);
    EXPECT_EQ(unit.ref().rowCount(), 2);
}

}  // namespace
