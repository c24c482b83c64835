// Regular expressions over GBK bytes as formulas, the filter and the insert-time
// dialog use them.
#include "runtime/regex/regex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using rt::Regex;

Regex compiled(std::string_view pattern, bool caseSensitive = true) {
    Regex regex;
    EXPECT_TRUE(regex.create(pattern, caseSensitive)) << pattern;
    return regex;
}

TEST(RegexTest, WholeTextMatches) {
    Regex operators = compiled(R"(.*[\+\-\*/].*)");
    for (const char* text : {"1+2", "3-4", "2*5", "8/2", "+"}) EXPECT_TRUE(operators.match(text)) << text;
    for (const char* text : {"12", "", "abc", "（1）"}) EXPECT_FALSE(operators.match(text)) << text;
    EXPECT_FALSE(compiled("ab").match("abc")) << "a match of part of the text is no match";
}

TEST(RegexTest, BadPatternsFailAndARegexWithoutPatternMatchesNothing) {
    Regex regex;
    EXPECT_FALSE(regex.match("anything"));
    for (const char* pattern : {"(", "[a-", "*x", "a{2,1}"}) EXPECT_FALSE(regex.create(pattern)) << pattern;
    EXPECT_FALSE(regex.match("("));
    EXPECT_TRUE(regex.search("(", 1).empty());
    EXPECT_TRUE(regex.searchAll("((").empty());
    EXPECT_EQ(regex.replace("(", "x"), "");
    ASSERT_TRUE(regex.create("a"));
    EXPECT_FALSE(regex.create("("));
    EXPECT_FALSE(regex.match("a")) << "a failed create leaves no pattern behind";
}

// A pattern ending in "[\" once made the engine read a byte past the pattern; the
// bytes come from a block of exactly their length, so the sanitizer build sees any
// read beyond it.
TEST(RegexTest, APatternEndingInsideABracketAfterABackslashIsRefused) {
    for (std::string_view bytes : {"=[\\", "[\\", "a[b\\"}) {
        const std::vector<char> exact(bytes.begin(), bytes.end());
        Regex regex;
        EXPECT_FALSE(regex.create(std::string_view(exact.data(), exact.size()))) << bytes;
    }
}

// A comment after a possessive repeat once sent the engine's parser into an endless
// loop (the regex fuzzer found it); comments still mean nothing, and text that only
// looks like one inside a class or a quote keeps its meaning.
TEST(RegexTest, CommentsAreIgnoredAndNeverHangTheParser) {
    EXPECT_TRUE(compiled("a?+(?#note)b").match("ab"));
    EXPECT_TRUE(compiled("()*+(?#)z").match("z"));
    EXPECT_TRUE(compiled("x(?#)1").match("x1"));
    EXPECT_TRUE(compiled("[(?#)]+").match("(?#)"));
    EXPECT_TRUE(compiled(R"(\Q(?#)\E)").match("(?#)"));
    EXPECT_TRUE(compiled(R"(a\(?#)").match("a(#")) << "an escaped bracket opens no comment";
}

// Nested repeats on a long text would take longer than the universe to try every
// way; the engine gives up at its bound and every command returns its empty result.
TEST(RegexTest, ACatastrophicPatternComesBackWithTheEmptyResult) {
    Regex nested = compiled("(a+)+b");
    const std::string text(5000, 'a');
    EXPECT_FALSE(nested.match(text));
    EXPECT_TRUE(nested.search(text).empty());
    EXPECT_TRUE(nested.searchAll(text).empty());
    EXPECT_EQ(nested.replace(text, "x"), "");
}

TEST(RegexTest, CaseIsFoldedOnlyWhenAskedAndOnlyForLetters) {
    EXPECT_TRUE(compiled("abc", false).match("ABC"));
    EXPECT_FALSE(compiled("abc").match("ABC"));
    // 0xC4 0xEA is 年; upper-casing bytes of the locale would turn it into other bytes.
    EXPECT_TRUE(compiled("\xC4\xEA", false).match("\xC4\xEA"));
    EXPECT_FALSE(compiled("\xE4\xEA", false).match("\xC4\xEA"));
}

TEST(RegexTest, AllGroupsInBracketsAreFoundWithTheirOffsets) {
    Regex brackets = compiled(R"(\(([^()]*)\))");
    const std::string text = "2*(1+2)-(3*4)";
    std::vector<rt::SearchResult> results = brackets.searchAll(text);
    ASSERT_EQ(results.size(), 2u);
    int32_t offset = -1;
    EXPECT_EQ(results[0].subMatchText(text, 1, &offset), "1+2");
    EXPECT_EQ(offset, 3);
    EXPECT_EQ(results[1].subMatchText(text, 1, &offset), "3*4");
    EXPECT_EQ(offset, 9);
    EXPECT_EQ(results[1].matchText(text, &offset), "(3*4)");
    EXPECT_EQ(offset, 8);
    EXPECT_EQ(results[1].subMatchText(text, 2), "") << "no such group";
    EXPECT_TRUE(brackets.searchAll("").empty());
}

TEST(RegexTest, SearchLooksOnlyInsideItsRangeAndCountsFromTheWholeText) {
    Regex digits = compiled("[0-9]+");
    const std::string text = "ab12cd345";
    struct Case {
        int32_t start;
        std::optional<int32_t> length;
        const char* expected;
        int32_t offset;
    };
    const Case cases[] = {
        {1, std::nullopt, "12", 2}, {4, std::nullopt, "2", 3},  {5, std::nullopt, "345", 6},
        {5, 3, "3", 6},             {1, 2, "", -1},             {9, 1, "5", 8},
        {0, std::nullopt, "", -1},  {10, std::nullopt, "", -1}, {8, 3, "", -1},
        {1, -1, "", -1},
    };
    for (const Case& c : cases) {
        rt::SearchResult result = digits.search(text, c.start, c.length);
        int32_t offset = -1;
        EXPECT_EQ(result.matchText(text, &offset), c.expected) << c.start;
        EXPECT_EQ(offset, c.offset) << c.start;
    }
}

TEST(RegexTest, LineAnchorsMatchAtLineBreaks) {
    std::vector<rt::SearchResult> lines = compiled("^[a-z]+$").searchAll("one\r\ntwo\nthree");
    EXPECT_EQ(lines.size(), 3u);
}

TEST(RegexTest, ChineseCharactersAreMatchedAsTheirBytes) {
    const std::string text = "2026年12月9日";
    Regex date = compiled("([0-9]+)年([0-9]+)月([0-9]+)日");
    rt::SearchResult result = date.search(text);
    EXPECT_EQ(result.subMatchText(text, 2), "12");
    int32_t offset = 0;
    EXPECT_EQ(result.subMatchText(text, 3, &offset), "9");
    EXPECT_EQ(offset, 10);
    // Every byte of 年 and 月, one at a time: the class is a class of bytes.
    EXPECT_EQ(compiled("[年月]").searchAll(text).size(), 4u);
}

TEST(RegexTest, ReplaceWorksOnItsRangeWithTheCombinedFormat) {
    Regex digits = compiled("([0-9])");
    struct Case {
        const char* format;
        int32_t start;
        std::optional<int32_t> length;
        bool copyUnmatched;
        bool replaceAll;
        const char* expected;
    };
    const Case cases[] = {
        {"<$1>", 1, std::nullopt, true, true, "a<1>b<2>c<3>"},
        {"<$1>", 1, std::nullopt, true, false, "a<1>b2c3"},
        {"<$1>", 1, std::nullopt, false, true, "<1><2><3>"},
        {"<\\1>", 3, 3, true, true, "b<2>c"},
        {"(?1[$&])", 1, 2, true, true, "a[1]"},
        {"x", 7, std::nullopt, true, true, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(digits.replace("a1b2c3", c.format, c.start, c.length, c.copyUnmatched, c.replaceAll), c.expected)
            << c.format << " " << c.start;
    }
}

// A replace box's format: parentheses and question marks are plain text there, and
// an empty result is a result, told apart from the engine giving up.
TEST(RegexTest, ReplaceMatchesReadsItsFormatAsPerlDoes) {
    Regex digits = compiled("([0-9])");
    EXPECT_EQ(digits.replaceMatches("a1b2", "($1)?"), "a(1)?b(2)?");
    EXPECT_EQ(digits.replaceMatches("a1", "$$$&"), "a$1");
    EXPECT_EQ(compiled(".*").replaceMatches("abc", ""), "");
    EXPECT_EQ(compiled("(a+)+b").replaceMatches(std::string(5000, 'a'), "x"), std::nullopt);
    EXPECT_EQ(Regex().replaceMatches("a", "x"), std::nullopt);
}

TEST(RegexTest, EmptyMatchesAdvanceByOneByteAndAMatchEndingAtTheStartEndsTheSearch) {
    const std::string text = "1a2";
    std::vector<std::string> found;
    for (const rt::SearchResult& result : compiled("[0-9]*").searchAll(text)) found.push_back(result.matchText(text));
    EXPECT_EQ(found, (std::vector<std::string>{"1", "", "2", ""}));
    EXPECT_EQ(compiled("[0-9]*").searchAll("a12").size(), 1u);
}

}  // namespace
