// Find and replace: what a pattern matches in a text, the order and wrap of finding in
// a table, merged blocks counted once, picture cells never touched, replacement in a
// range only.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/model/table_replace.h"
#include "grid/model/table_search.h"
#include "tests/grid/support/table_fixture.h"

namespace {

using grid::CellPosition;
using grid::SearchOptions;
using grid::TextPattern;

constexpr SearchOptions kPlain{};
constexpr SearchOptions kMatchCase{.matchCase = true};
constexpr SearchOptions kWholeCell{.wholeCell = true};
constexpr SearchOptions kRegex{.regularExpression = true};
constexpr SearchOptions kWholeRegex{.wholeCell = true, .regularExpression = true};

TextPattern patternOf(std::string_view text, SearchOptions options) {
    TextPattern pattern;
    EXPECT_TRUE(pattern.create(text, options)) << text;
    return pattern;
}

TEST(TextPatternTest, MatchesByCaseWholeCellAndRegularExpression) {
    struct Case {
        const char* pattern;
        SearchOptions options;
        const char* text;
        bool matches;
    };
    const Case cases[] = {
        {"abc", kPlain, "xxABCxx", true},
        {"abc", kMatchCase, "xxABCxx", false},
        {"ABC", kMatchCase, "xxABCxx", true},
        {"北京", kPlain, "北京市", true},
        {"北京", kWholeCell, "北京市", false},
        {"abc", kWholeCell, "ABC", true},
        // The trail byte of "\x81\x41" is "A": never a character of its own.
        {"A", kPlain, "\x81\x41", false},
        {"a", kPlain, "x\x81\x41", false},
        {"\x81\x61", kPlain, "\x81\x41", false},
        {"\\d+元", kRegex, "共12元", true},
        {"\\d+", kWholeRegex, "a12", false},
        {"\\d+|a", kWholeRegex, "12", true},
        {"^z", kRegex, "Zoo", true},
        {"^z", {.matchCase = true, .regularExpression = true}, "Zoo", false},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(patternOf(test.pattern, test.options).matches(test.text), test.matches)
            << test.pattern << " in " << test.text;
    }
    TextPattern pattern;
    EXPECT_FALSE(pattern.create("", kPlain));
    EXPECT_FALSE(pattern.create("a)(b", kWholeRegex)) << "anchoring must not make a broken pattern valid";
    EXPECT_FALSE(pattern.matches("a)(b"));
}

TEST(TextPatternTest, ReplacesEveryOccurrenceAsTheOptionsSay) {
    struct Case {
        const char* pattern;
        SearchOptions options;
        const char* text;
        const char* replacement;
        const char* result;
    };
    const Case cases[] = {
        {"a", kPlain, "a-A-a", "bb", "bb-bb-bb"},
        {"a", kMatchCase, "a-A-a", "", "-A-"},
        {"旧", kPlain, "旧表旧", "新", "新表新"},
        {"旧表", kWholeCell, "旧表", "新表", "新表"},
        {"(\\d+)元", kRegex, "共12元和3元", "$1 元", "共12 元和3 元"},
        {"电话", kRegex, "电话", "电话(手机)", "电话(手机)"},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(patternOf(test.pattern, test.options).replaced(test.text, test.replacement), test.result)
            << test.pattern << " in " << test.text;
    }
    EXPECT_EQ(patternOf("x", kPlain).replaced("abc", "y"), std::nullopt);
}

class TableSearchTest : public testing::Test {
protected:
    // a . a       the 2 x 2 block at (1, 1) holds "a" in every cell of its own
    // . a a       (the hidden ones too); (2, 0) is a picture whose bytes hold "a"
    // P a a       and (0, 1) a picture named by its file "a.png".
    TableSearchTest() {
        table.source.setCellText(0, 0, "a");
        table.source.setKind({0, 1, 1, 1}, grid::CellKind::VerbatimText);
        table.source.setCellText(0, 1, "a.png");
        table.source.setCellText(0, 2, "a");
        for (int row = 1; row < 3; ++row) {
            for (int column = 1; column < 3; ++column) table.source.setCellText(row, column, "a");
        }
        table.source.mergeCells({1, 1, 2, 2});
        table.source.setKind({2, 0, 1, 1}, grid::CellKind::Picture);
        const uint8_t bytes[] = {'a', 'a'};
        table.source.setCellData(2, 0, bytes);
    }

    TableFixture table{3, 3};
    const grid::CellRange whole{0, 0, 3, 3};
    const TextPattern a = patternOf("a", kPlain);
};

TEST_F(TableSearchTest, FindsEachShownTextCellOnceInTheOrderAsked) {
    EXPECT_EQ(grid::findAll(table.source, whole, a, grid::SearchOrder::ByRows),
              (std::vector<CellPosition>{{0, 0}, {0, 2}, {1, 1}}));
    EXPECT_EQ(grid::findAll(table.source, whole, a, grid::SearchOrder::ByColumns),
              (std::vector<CellPosition>{{0, 0}, {1, 1}, {0, 2}}));
    EXPECT_EQ(grid::countMatches(table.source, whole, a), 3);
    EXPECT_EQ(grid::countMatches(table.source, {1, 0, 2, 3}, a), 1);
}

TEST_F(TableSearchTest, FindNextGoesOnAfterTheCellAndWrapsToTheStart) {
    struct Case {
        CellPosition from;
        grid::SearchOrder order;
        CellPosition found;
        bool wrapped;
    };
    const Case cases[] = {
        {{0, 0}, grid::SearchOrder::ByRows, {0, 2}, false},
        {{0, 2}, grid::SearchOrder::ByRows, {1, 1}, false},
        {{1, 1}, grid::SearchOrder::ByRows, {0, 0}, true},
        {{0, 0}, grid::SearchOrder::ByColumns, {1, 1}, false},
        {{1, 1}, grid::SearchOrder::ByColumns, {0, 2}, false},
        {{0, 2}, grid::SearchOrder::ByColumns, {0, 0}, true},
        {{-1, -1}, grid::SearchOrder::ByRows, {0, 0}, false},
    };
    for (const Case& test : cases) {
        auto found = grid::findNext(table.source, whole, a, test.order, test.from);
        ASSERT_TRUE(found);
        EXPECT_EQ(found->cell, test.found) << test.from.row << "," << test.from.column;
        EXPECT_EQ(found->wrapped, test.wrapped) << test.from.row << "," << test.from.column;
    }
    auto alone = grid::findNext(table.source, {1, 1, 2, 2}, a, grid::SearchOrder::ByRows, {1, 1});
    ASSERT_TRUE(alone);
    EXPECT_EQ(alone->cell, (CellPosition{1, 1}));
    EXPECT_TRUE(alone->wrapped) << "the only match is found again after going round";
    EXPECT_FALSE(grid::findNext(table.source, whole, patternOf("png", kPlain), grid::SearchOrder::ByRows, {0, 0}));
}

TEST_F(TableSearchTest, ReplaceAllChangesShownTextCellsOfTheAreaOnlyAsOneNotice) {
    table.recorder.notices.clear();
    EXPECT_EQ(grid::replaceAll(table.source, {0, 0, 3, 2}, a, "b"), 2);
    EXPECT_EQ(table.text(0, 0), "b");
    EXPECT_EQ(table.text(1, 1), "b");
    EXPECT_EQ(table.text(0, 1), "a.png") << "a picture named by its file";
    EXPECT_EQ(table.provider.table().cell(2, 0).contentLength(), 2u) << "a picture's bytes";
    EXPECT_EQ(table.text(2, 1), "a") << "hidden in the block";
    EXPECT_EQ(table.text(0, 2), "a") << "outside the area";
    using Kind = grid::ModelNotice::Kind;
    EXPECT_EQ(table.recorder.kinds(), (std::vector<Kind>{Kind::BeforeChange, Kind::Cells}));
    EXPECT_EQ(table.recorder.notices.back(),
              (grid::ModelNotice{.kind = Kind::Cells, .row = 0, .column = 0, .rowCount = 2, .columnCount = 2}));
}

TEST(TableReplaceTest, NewTextsAreWrittenAsTypedAndUndoPutsTheOldOnesBack) {
    TableFixture table(2, 2);
    table.source.setInputType({0, 0, 1, 1}, grid::InputType::Integer);
    table.source.setCellText(0, 0, "15");
    table.source.setCellText(0, 1, "15");
    table.source.setCellText(1, 0, "15");
    const int32_t before = table.source.captureState();
    EXPECT_EQ(grid::replaceAll(table.source, {0, 0, 2, 2}, patternOf("1", kPlain), "x"), 3);
    EXPECT_EQ(table.text(0, 0), "") << "an integer cell converts x5 as if it were typed";
    EXPECT_EQ(table.text(0, 1), "x5");
    EXPECT_FALSE(grid::replaceInCell(table.source, {1, 1}, patternOf("x", kPlain), "y"));
    EXPECT_TRUE(grid::replaceInCell(table.source, {1, 0}, patternOf("x", kPlain), "y"));
    EXPECT_EQ(table.text(1, 0), "y5");
    ASSERT_TRUE(table.source.restoreState(before));
    EXPECT_EQ(table.text(0, 0), "15");
    EXPECT_EQ(table.text(1, 0), "15");
}

}  // namespace
