#include "grid/xlsx/cell_value.h"

#include <cmath>

#include "grid/model/date_text.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/value/number_text.h"

namespace grid::xlsx {
namespace {

constexpr int kMaxExactDigits = 15;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether the folded text is exactly one decimal number, and how many significant
// digits its mantissa holds.
bool isWholeDecimal(std::string_view text, int& significantDigits, bool& leadingZero) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return false;
    size_t last = text.find_last_not_of(" \t");
    std::string_view body = text.substr(first, last - first + 1);
    size_t i = 0;
    if (body[i] == '+' || body[i] == '-')
        ++i;
    size_t integerStart = i;
    while (i < body.size() && isDigit(body[i]))
        ++i;
    size_t integerDigits = i - integerStart;
    size_t fractionDigits = 0;
    if (i < body.size() && body[i] == '.') {
        size_t fractionStart = ++i;
        while (i < body.size() && isDigit(body[i]))
            ++i;
        fractionDigits = i - fractionStart;
    }
    if (integerDigits + fractionDigits == 0)
        return false;
    std::string_view mantissa = body.substr(integerStart, i - integerStart);
    if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
        ++i;
        if (i < body.size() && (body[i] == '+' || body[i] == '-'))
            ++i;
        size_t exponentStart = i;
        while (i < body.size() && isDigit(body[i]))
            ++i;
        if (i == exponentStart)
            return false;
    }
    if (i != body.size())
        return false;
    leadingZero = integerDigits > 1 && body[integerStart] == '0';
    size_t firstSignificant = mantissa.find_first_of("123456789");
    significantDigits = 0;
    if (firstSignificant != std::string_view::npos) {
        for (char c : mantissa.substr(firstSignificant))
            significantDigits += isDigit(c) ? 1 : 0;
        // Trailing zeros after the point add no precision.
        if (fractionDigits > 0) {
            size_t lastSignificant = mantissa.find_last_of("123456789");
            for (char c : mantissa.substr(lastSignificant + 1))
                significantDigits -= c == '0' ? 1 : 0;
        }
    }
    return true;
}

}  // namespace

std::optional<double> wholeNumberOf(std::string_view gbk) {
    std::string folded = rt::foldFullWidth(gbk);
    int significantDigits = 0;
    bool leadingZero = false;
    if (!isWholeDecimal(folded, significantDigits, leadingZero))
        return std::nullopt;
    if (leadingZero || significantDigits > kMaxExactDigits)
        return std::nullopt;
    double value = rt::leadingNumber(folded);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<SheetDate> sheetDateOf(std::string_view gbk) {
    std::optional<rt::DateParts> parts = parseDateText(gbk);
    if (!parts)
        return std::nullopt;
    if (parts->year < 1900 || (parts->year == 1900 && parts->month < 3))
        return std::nullopt;
    bool hasTime = parts->hour != 0 || parts->minute != 0 || parts->second != 0;
    return SheetDate{rt::oleDateOf(*parts), hasTime};
}

std::string_view firstCharacters(std::string_view utf8, size_t count) {
    size_t characters = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        // Continuation bytes 10xxxxxx belong to the character before them.
        bool startsCharacter = (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80;
        if (startsCharacter && characters++ == count)
            return utf8.substr(0, i);
    }
    return utf8;
}

std::string workbookText(std::string_view gbk) {
    std::string utf8 = rt::gbkToUtf8(gbk);
    std::string result;
    result.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] != '\r') {
            result += utf8[i];
        } else if (i + 1 == utf8.size() || utf8[i + 1] != '\n') {
            result += '\n';
        }
    }
    return result;
}

}  // namespace grid::xlsx
