#include "app/edit/counting_symbols.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using app::SymbolCounter;
using app::SymbolKind;

std::vector<std::string> firstSymbols(SymbolCounter counter, int count) {
    std::vector<std::string> symbols;
    for (int i = 0; i < count; ++i) symbols.push_back(counter.next());
    return symbols;
}

TEST(SymbolCounter, DigitsCountFromTheStartByTheStep) {
    using Symbols = std::vector<std::string>;
    struct Case {
        const char* start;
        const char* step;
        Symbols expected;
    };
    const Case cases[] = {
        {"1", "2", {"1", "3", "5", "7"}},
        {"", "", {"0", "1", "2", "3"}},
        {"5", "", {"5", "6", "7", "8"}},
        {"", "10", {"0", "10", "20", "30"}},
        {"3", "-2", {"3", "1", "-1", "-3"}},
        {"abc", "x", {"0", "0", "0", "0"}},
        {"７", "1.9", {"7", "8", "9", "10"}},
        {"2147483647", "2147483647", {"2147483647", "4294967294", "6442450941", "8589934588"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(firstSymbols(SymbolCounter::digits(c.start, c.step), 4), c.expected)
            << c.start << " " << c.step;
    }
}

TEST(SymbolCounter, LettersRunLikeAnOdometerWithoutZero) {
    std::vector<std::string> upper = firstSymbols(SymbolCounter(SymbolKind::UpperLetters), 18280);
    struct Case {
        size_t position;  // from 1
        const char* symbol;
    };
    const Case cases[] = {
        {1, "A"},      {2, "B"},       {26, "Z"},       {27, "AA"},
        {28, "AB"},    {30, "AD"},     {52, "AZ"},      {53, "BA"},
        {702, "ZZ"},   {703, "AAA"},   {704, "AAB"},    {1378, "AZZ"},
        {1379, "BAA"}, {18278, "ZZZ"}, {18279, "AAAA"}, {18280, "AAAB"},
    };
    for (const Case& c : cases) EXPECT_EQ(upper[c.position - 1], c.symbol) << c.position;
}

TEST(SymbolCounter, LowerLettersAndChineseNumerals) {
    using Symbols = std::vector<std::string>;
    EXPECT_EQ(firstSymbols(SymbolCounter(SymbolKind::LowerLetters), 28)[25], "z");
    EXPECT_EQ(firstSymbols(SymbolCounter(SymbolKind::LowerLetters), 28)[27], "ab");
    EXPECT_EQ(
        firstSymbols(SymbolCounter(SymbolKind::ChineseNumerals), 12),
        (Symbols{"一", "二", "三", "四", "五", "六", "七", "八", "九", "十", "十一", "十二"}));
    EXPECT_EQ(firstSymbols(SymbolCounter(SymbolKind::None), 3), (Symbols{"", "", ""}));
}

TEST(CellTextWithSymbol, PlacesTheSymbol) {
    using app::SymbolPlace;
    struct Case {
        SymbolPlace place;
        const char* expected;
    };
    const Case cases[] = {
        {SymbolPlace::Left, "7号楼"},
        {SymbolPlace::Right, "号楼7"},
        {SymbolPlace::Between, "号楼7室"},
        {SymbolPlace::None, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::cellTextWithSymbol(c.place, "7", "号楼", "室"), c.expected)
            << static_cast<int>(c.place);
    }
}

}  // namespace
