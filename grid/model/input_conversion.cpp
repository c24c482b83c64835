#include "grid/model/input_conversion.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

#include "grid/model/date_text.h"
#include "runtime/value/number_text.h"
#include "runtime/value/ole_date.h"

namespace grid {
namespace {

std::string integerText(int64_t value) {
    return value == 0 ? std::string() : std::to_string(value);
}

int64_t clamped(int64_t value, int64_t lowest, int64_t highest) {
    return std::clamp(value, lowest, highest);
}

std::string singleText(float value) {
    if (value == 0) return {};
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

std::string doubleText(double value) { return value == 0 ? std::string() : rt::numberToText(value); }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

}  // namespace

bool isLogicalTrueWord(std::string_view text) {
    static constexpr std::array<std::string_view, 9> kTrueWords = {
        "1", "真", "true", "t", "zheng", "zhen", "zeng", "zen", "z"};
    return std::any_of(kTrueWords.begin(), kTrueWords.end(),
                       [&](std::string_view word) { return equalsIgnoringCase(text, word); });
}

std::string convertByInputType(std::string_view text, InputType type) {
    switch (type) {
        case InputType::Normal: return std::string(text);
        case InputType::Byte:
            return integerText(clamped(rt::leadingInteger(rt::foldFullWidth(text)), 0, 255));
        case InputType::Short:
            return integerText(clamped(rt::leadingInteger(rt::foldFullWidth(text)), -32768, 32767));
        case InputType::Integer:
            return integerText(clamped(rt::leadingInteger(rt::foldFullWidth(text)), INT32_MIN, INT32_MAX));
        case InputType::Long: return integerText(rt::leadingInteger(rt::foldFullWidth(text)));
        case InputType::Float: return singleText(static_cast<float>(rt::textToNumber(text)));
        case InputType::Double: return doubleText(rt::textToNumber(text));
        case InputType::Logical: return isLogicalTrueWord(text) ? "真" : "假";
        case InputType::DateTime: {
            auto parts = parseDateText(text);
            return parts ? rt::formatDateText(*parts) : std::string();
        }
    }
    return std::string(text);
}

}  // namespace grid
