#include "runtime/platform/text_file_encoding.h"

#include <QStringEncoder>
#include <array>
#include <memory>

namespace rt {
namespace {

constexpr uint16_t kUnmappable = 0xFFFF;  // no GBK pair ends in 0xFF

// The GBK bytes of every character of the basic plane, made once from the platform's
// converter one character at a time, so a file converts at memory speed with exactly
// the mapping the rest of the program uses. A value below 0x100 is one byte, any
// other a lead and a trail byte.
class UnicodeToGbkTable {
public:
    UnicodeToGbkTable() {
        QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
        for (uint32_t code = 0; code < 0x10000; ++code) {
            if (code < 0x80) {
                table_[code] = static_cast<uint16_t>(code);
                continue;
            }
            QChar character(static_cast<char16_t>(code));
            if (character.isSurrogate()) {
                table_[code] = kUnmappable;
                continue;
            }
            QByteArray bytes = encoder.encode(QStringView(&character, 1));
            if (encoder.hasError() || bytes.isEmpty() || bytes.size() > 2) {
                // The converter keeps its error once it has one: start a fresh one.
                encoder = QStringEncoder("GBK", QStringConverter::Flag::Stateless);
                table_[code] = kUnmappable;
            } else if (bytes.size() == 1) {
                table_[code] = static_cast<uint8_t>(bytes[0]);
            } else {
                table_[code] = static_cast<uint16_t>(static_cast<uint8_t>(bytes[0]) << 8 | static_cast<uint8_t>(bytes[1]));
            }
        }
    }
    uint16_t operator[](uint32_t code) const { return table_[code]; }

private:
    std::array<uint16_t, 0x10000> table_;
};

const UnicodeToGbkTable& unicodeToGbk() {
    static const auto table = std::make_unique<UnicodeToGbkTable>();
    return *table;
}

bool isContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

// The code point of the well-formed UTF-8 sequence at i and its length; length 0 for
// a byte that starts none (overlong forms, surrogates and values past U+10FFFF too).
struct Decoded {
    uint32_t code = 0;
    size_t length = 0;
};

Decoded decodeUtf8At(std::string_view text, size_t i) {
    auto byte = [&](size_t k) { return static_cast<uint8_t>(text[i + k]); };
    uint8_t first = byte(0);
    size_t remaining = text.size() - i;
    if (first < 0x80) return {first, 1};
    if (first >= 0xC2 && first <= 0xDF && remaining >= 2 && isContinuation(byte(1))) {
        return {static_cast<uint32_t>(first & 0x1F) << 6 | (byte(1) & 0x3F), 2};
    }
    if (first >= 0xE0 && first <= 0xEF && remaining >= 3 && isContinuation(byte(1)) && isContinuation(byte(2))) {
        uint32_t code = static_cast<uint32_t>(first & 0x0F) << 12 | static_cast<uint32_t>(byte(1) & 0x3F) << 6 |
                        (byte(2) & 0x3F);
        if (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF)) return {};
        return {code, 3};
    }
    if (first >= 0xF0 && first <= 0xF4 && remaining >= 4 && isContinuation(byte(1)) && isContinuation(byte(2)) &&
        isContinuation(byte(3))) {
        uint32_t code = static_cast<uint32_t>(first & 0x07) << 18 | static_cast<uint32_t>(byte(1) & 0x3F) << 12 |
                        static_cast<uint32_t>(byte(2) & 0x3F) << 6 | (byte(3) & 0x3F);
        if (code < 0x10000 || code > 0x10FFFF) return {};
        return {code, 4};
    }
    return {};
}

}  // namespace

GbkFromUtf8 utf8ToGbkReporting(std::string_view utf8) {
    const UnicodeToGbkTable& table = unicodeToGbk();
    GbkFromUtf8 result;
    result.text.reserve(utf8.size());
    int64_t line = 1;
    for (size_t i = 0; i < utf8.size();) {
        auto first = static_cast<uint8_t>(utf8[i]);
        if (first < 0x80) {
            if (first == '\n') ++line;
            result.text += static_cast<char>(first);
            ++i;
            continue;
        }
        Decoded decoded = decodeUtf8At(utf8, i);
        uint16_t gbk = decoded.length != 0 && decoded.code < 0x10000 ? table[decoded.code] : kUnmappable;
        if (gbk == kUnmappable) {
            if (result.unmappable++ == 0) result.firstUnmappableLine = line;
            result.text += '?';
        } else if (gbk < 0x100) {
            result.text += static_cast<char>(gbk);
        } else {
            result.text += static_cast<char>(gbk >> 8);
            result.text += static_cast<char>(gbk & 0xFF);
        }
        i += decoded.length != 0 ? decoded.length : 1;
    }
    return result;
}

bool isWellFormedUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        if (static_cast<uint8_t>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        size_t length = decodeUtf8At(bytes, i).length;
        if (length == 0) return false;
        i += length;
    }
    return true;
}

}  // namespace rt
