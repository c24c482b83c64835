#include "app/edit/counting_symbols.h"

#include "app/edit/chinese_numeral.h"
#include "runtime/value/number_text.h"

namespace app {

SymbolCounter SymbolCounter::digits(int32_t start, int32_t step) {
    SymbolCounter counter(SymbolKind::Digits);
    counter.value_ = start;
    counter.step_ = step;
    return counter;
}

SymbolCounter SymbolCounter::digits(std::string_view startText, std::string_view stepText) {
    return digits(startText.empty() ? 0 : rt::integerOf(startText), stepText.empty() ? 1 : rt::integerOf(stepText));
}

SymbolCounter::SymbolCounter(SymbolKind kind) : kind_(kind) {
    if (kind == SymbolKind::LowerLetters) {
        firstLetter_ = 'a';
        lastLetter_ = 'z';
    }
    letters_.assign(1, firstLetter_);
}

std::string SymbolCounter::next() {
    switch (kind_) {
        case SymbolKind::Digits: {
            std::string symbol = std::to_string(value_);
            value_ += step_;
            return symbol;
        }
        case SymbolKind::UpperLetters:
        case SymbolKind::LowerLetters: {
            std::string symbol(letters_.begin(), letters_.end());
            advanceLetters();
            return symbol;
        }
        case SymbolKind::ChineseNumerals: return chineseNumeral(++value_);
        case SymbolKind::None: break;
    }
    return {};
}

// An odometer in base 26 without a zero digit: after Z comes AA, after AZ comes BA,
// after ZZ comes AAA.
void SymbolCounter::advanceLetters() {
    for (auto letter = letters_.rbegin(); letter != letters_.rend(); ++letter) {
        if (*letter < lastLetter_) {
            ++*letter;
            return;
        }
        *letter = firstLetter_;
    }
    letters_.push_back(firstLetter_);
}

std::string cellTextWithSymbol(SymbolPlace place, std::string_view symbol, std::string_view text1,
                               std::string_view text2) {
    switch (place) {
        case SymbolPlace::Left: return std::string(symbol).append(text1);
        case SymbolPlace::Right: return std::string(text1).append(symbol);
        case SymbolPlace::Between: return std::string(text1).append(symbol).append(text2);
        case SymbolPlace::None: break;
    }
    return {};
}

}  // namespace app
