#include <cstring>

#include "runtime/dll/builtin_functions.h"
#include "runtime/value/blocks.h"

namespace rt::builtin {
namespace {

constexpr uint32_t kSupportHex = 0x1;

int digitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

}  // namespace

// Blanks, an optional sign, then decimal digits, or with the hexadecimal flag "0x" and
// hexadecimal digits. True when at least one digit was read; the value wraps in 64 bits.
Value stringToInt64(const Value* arguments) {
    std::string_view text = textOf(arguments[0].pointer());
    uint32_t flags = arguments[1].low;
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int base = 10;
    if ((flags & kSupportHex) && i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    uint64_t value = 0;
    bool anyDigit = false;
    for (int digit; i < text.size() && (digit = digitValue(text[i], base)) >= 0; ++i) {
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        anyDigit = true;
    }
    if (negative) value = 0 - value;
    if (void* result = arguments[2].pointer()) std::memcpy(result, &value, sizeof value);
    return Value::logical(anyDigit);
}

}  // namespace rt::builtin
