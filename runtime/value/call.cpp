#include "runtime/value/call.h"

#include <cmath>
#include <limits>

#include "runtime/value/blocks.h"

namespace rt {
namespace {

template <typename Integer>
Integer truncated(double value) {
    if (std::isnan(value)) return 0;
    constexpr auto lowest = std::numeric_limits<Integer>::min();
    constexpr auto highest = std::numeric_limits<Integer>::max();
    if (value <= static_cast<double>(lowest)) return lowest;
    if (value >= static_cast<double>(highest)) return highest;
    return static_cast<Integer>(value);
}

// Every numeric kind and the logical kind as a double; false for the other kinds.
bool numericValue(const Value& v, double& out) {
    switch (static_cast<ValueType>(v.type)) {
        case ValueType::Byte: out = v.low & 0xFF; return true;
        case ValueType::Short: out = static_cast<int16_t>(v.low & 0xFFFF); return true;
        case ValueType::Integer: out = static_cast<int32_t>(v.low); return true;
        case ValueType::Long: out = static_cast<double>(static_cast<int64_t>(v.bits64())); return true;
        case ValueType::Float: out = v.asFloatBits(); return true;
        case ValueType::Double: out = v.asDoubleBits(); return true;
        case ValueType::Logical: out = v.low != 0 ? 1 : 0; return true;
        default: return false;
    }
}

}  // namespace

Value callCommand(CommandRoutine routine, int argumentCount, const Value* arguments) {
    Value result{0, 0, 0};
    routine(&result, argumentCount, arguments);
    return result;
}

int32_t Arguments::integer(int index, int32_t fallback) const {
    if (!isGiven(index)) return fallback;
    const Value& v = values_[index];
    if (v.type == tagOf(ValueType::Integer)) return static_cast<int32_t>(v.low);
    double number;
    return numericValue(v, number) ? truncated<int32_t>(number) : fallback;
}

int64_t Arguments::longInteger(int index, int64_t fallback) const {
    if (!isGiven(index)) return fallback;
    const Value& v = values_[index];
    // A long keeps all 64 bits; going through a double would lose the low ones.
    if (v.type == tagOf(ValueType::Long)) return static_cast<int64_t>(v.bits64());
    double number;
    return numericValue(v, number) ? truncated<int64_t>(number) : fallback;
}

double Arguments::number(int index, double fallback) const {
    double number;
    return isGiven(index) && numericValue(values_[index], number) ? number : fallback;
}

bool Arguments::logical(int index, bool fallback) const {
    double number;
    return isGiven(index) && numericValue(values_[index], number) ? number != 0 : fallback;
}

std::string_view Arguments::text(int index) const {
    if (!isGiven(index) || values_[index].type != tagOf(ValueType::Text)) return {};
    return textOf(values_[index].pointer());
}

std::span<const uint8_t> Arguments::bytes(int index) const {
    if (!isGiven(index)) return {};
    const Value& v = values_[index];
    if (v.type == tagOf(ValueType::ByteSet)) return byteSetBytes(v.pointer());
    if (v.type == tagOf(ValueType::Text)) {
        std::string_view t = textOf(v.pointer());
        return {reinterpret_cast<const uint8_t*>(t.data()), t.size()};
    }
    return {};
}

UnitRef Arguments::unit(int index) const {
    return isGiven(index) ? UnitRef::fromValue(values_[index]) : UnitRef{};
}

void returnInteger(Value* result, int32_t value) { *result = Value::integer(value); }
void returnLongInteger(Value* result, int64_t value) { *result = Value::longInteger(value); }
void returnDouble(Value* result, double value) { *result = Value::floating(value); }
void returnLogical(Value* result, bool value) { *result = Value::logical(value); }

void returnText(Value* result, std::string_view text) {
    *result = Value::fromPointer(makeText(text), tagOf(ValueType::Text));
}

void returnByteSet(Value* result, std::span<const uint8_t> bytes) {
    *result = Value::fromPointer(makeByteSet(bytes), tagOf(ValueType::ByteSet));
}

}  // namespace rt
