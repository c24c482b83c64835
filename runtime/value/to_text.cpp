#include "runtime/value/to_text.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "runtime/value/blocks.h"
#include "runtime/value/number_text.h"
#include "runtime/value/ole_date.h"

namespace rt {
namespace {

std::string bytesUpToNul(const uint8_t* bytes, size_t count) {
    if (count == 0) return {};
    auto* text = reinterpret_cast<const char*>(bytes);
    const void* nul = std::memchr(text, '\0', count);
    return std::string(text, nul ? static_cast<const char*>(nul) - text : count);
}

std::string floatText(float value) {
    if (std::isnan(value)) return "nan";
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string textOfValue(const Value& value) {
    if (isArray(value.type)) {
        const void* block = value.pointer();
        uint32_t element = elementTagOf(value.type);
        if (!block || !isNumeric(element)) return {};
        return bytesUpToNul(arrayElements(block), arrayElementCount(block) * elementSizeOf(element));
    }
    switch (static_cast<ValueType>(value.type)) {
        case ValueType::Byte: return std::to_string(value.low & 0xFF);
        case ValueType::Short: return std::to_string(static_cast<int16_t>(value.low & 0xFFFF));
        case ValueType::Integer: return std::to_string(static_cast<int32_t>(value.low));
        case ValueType::Long: return std::to_string(static_cast<int64_t>(value.bits64()));
        case ValueType::Float: return floatText(value.asFloatBits());
        case ValueType::Double: return numberToText(value.asDoubleBits());
        case ValueType::Logical: return value.low != 0 ? "真" : "假";
        case ValueType::DateTime: return formatDateText(datePartsOf(value.asDoubleBits()));
        case ValueType::Text: return std::string(textOf(value.pointer()));
        case ValueType::ByteSet: {
            auto bytes = byteSetBytes(value.pointer());
            return bytesUpToNul(bytes.data(), bytes.size());
        }
        default: return {};
    }
}

char* toText(const Value& value) { return makeText(textOfValue(value)); }

}  // namespace rt
