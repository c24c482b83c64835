#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// What "加符号粘贴" counts with; None when no mode is chosen, which gives empty symbols.
enum class SymbolKind { None, Digits, UpperLetters, LowerLetters, ChineseNumerals };

// The counting symbols written into the cells one after the other.
class SymbolCounter {
public:
    // Decimal numbers from start, step apart (counted in 64 bits, so no run of cells
    // a table can hold overflows).
    static SymbolCounter digits(int32_t start, int32_t step);
    // The same with the texts of the boxes "起始值：" and "递增值：": an empty start
    // box counts from 0, an empty step box by 1.
    static SymbolCounter digits(std::string_view startText, std::string_view stepText);
    // Letters A, B, ..., Z, AA, AB, ... (or lower case), or Chinese numerals from 一.
    explicit SymbolCounter(SymbolKind kind);

    std::string next();

private:
    void advanceLetters();

    SymbolKind kind_;
    int64_t value_ = 0;
    int64_t step_ = 1;
    char firstLetter_ = 'A';
    char lastLetter_ = 'Z';
    std::vector<char> letters_;
};

// Where the symbol goes in the cell text; None when no place is chosen, which leaves
// the cell text empty.
enum class SymbolPlace { None, Left, Right, Between };

std::string cellTextWithSymbol(SymbolPlace place, std::string_view symbol, std::string_view text1,
                               std::string_view text2);

}  // namespace app
