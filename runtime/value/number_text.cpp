#include "runtime/value/number_text.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace rt {
namespace {

bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

size_t skipBlanks(std::string_view text, size_t i) {
    while (i < text.size() && isBlank(text[i])) ++i;
    return i;
}

size_t skipDigits(std::string_view text, size_t i) {
    while (i < text.size() && isDigit(text[i])) ++i;
    return i;
}

// The process locale may use a decimal comma (the GUI toolkit adopts the user's
// locale), so numbers are always read in the C locale.
locale_t cLocale() {
    static locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}

}  // namespace

std::string foldFullWidth(std::string_view gbk) {
    std::string folded;
    folded.reserve(gbk.size());
    for (size_t i = 0; i < gbk.size(); ++i) {
        auto lead = static_cast<uint8_t>(gbk[i]);
        if (lead < 0x81 || lead == 0xFF || i + 1 == gbk.size()) {
            folded += gbk[i];
            continue;
        }
        auto trail = static_cast<uint8_t>(gbk[i + 1]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            folded += static_cast<char>(trail & 0x7F);
        } else if (lead == 0xA1 && trail == 0xA1) {
            folded += ' ';
        } else if (lead == 0xA1 && trail == 0xAB) {
            folded += '~';
        } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
            folded += '*';
        } else {
            folded += gbk.substr(i, 2);
        }
        ++i;
    }
    return folded;
}

double leadingNumber(std::string_view text) {
    size_t start = skipBlanks(text, 0);
    size_t i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t integerEnd = skipDigits(text, i);
    bool hasDigits = integerEnd > i;
    i = integerEnd;
    if (i < text.size() && text[i] == '.') {
        size_t fractionEnd = skipDigits(text, i + 1);
        hasDigits = hasDigits || fractionEnd > i + 1;
        i = fractionEnd;
    }
    if (!hasDigits) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t exponent = i + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        size_t exponentEnd = skipDigits(text, exponent);
        if (exponentEnd > exponent) i = exponentEnd;
    }
    std::string number(text.substr(start, i - start));
    return strtod_l(number.c_str(), nullptr, cLocale());
}

double textToNumber(std::string_view gbk) { return leadingNumber(foldFullWidth(gbk)); }

std::string numberToText(double value) {
    if (std::isnan(value)) return "nan";
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 13);
    return std::string(buffer, result.ptr);
}

int64_t leadingInteger(std::string_view text) {
    size_t i = skipBlanks(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate as a negative number so that the most negative value fits.
    constexpr int64_t lowest = std::numeric_limits<int64_t>::min();
    int64_t value = 0;
    bool saturated = false;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        int digit = text[i] - '0';
        if (value < (lowest + digit) / 10) {
            saturated = true;
            break;
        }
        value = value * 10 - digit;
    }
    if (negative) return saturated ? lowest : value;
    if (saturated || value == lowest) return std::numeric_limits<int64_t>::max();
    return -value;
}

int32_t integerOf(std::string_view gbk) {
    int64_t value = leadingInteger(foldFullWidth(gbk));
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

}  // namespace rt
