#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#include "runtime/value/value.h"

namespace rt {

// A command routine writes its result into a Value that the caller zeroed.
using CommandRoutine = void (*)(Value* result, int argumentCount, const Value* arguments);

// The uniform call: the result starts as three zero words, the arguments stay the
// caller's. Optional arguments that are left out are passed as Value::omitted().
Value callCommand(CommandRoutine routine, int argumentCount, const Value* arguments);
inline Value callCommand(CommandRoutine routine, std::initializer_list<Value> arguments) {
    return callCommand(routine, static_cast<int>(arguments.size()), arguments.begin());
}

// Read access to a command's arguments with their defaults: a missing or omitted
// argument (tag 0) takes the fallback; an integer 0 is a given argument.
class Arguments {
public:
    Arguments(int count, const Value* values) : count_(count), values_(values) {}

    int count() const { return count_; }
    bool isGiven(int index) const { return index < count_ && !values_[index].isOmitted(); }
    const Value& at(int index) const { return values_[index]; }

    // Numbers of any numeric kind and logicals; doubles truncate toward zero and
    // saturate. Texts and other kinds take the fallback.
    int32_t integer(int index, int32_t fallback = 0) const;
    int64_t longInteger(int index, int64_t fallback = 0) const;
    double number(int index, double fallback = 0) const;
    bool logical(int index, bool fallback = false) const;
    // A text argument; other kinds read as the empty text.
    std::string_view text(int index) const;
    // The bytes of a byte set, or of a text without its NUL.
    std::span<const uint8_t> bytes(int index) const;
    UnitRef unit(int index) const;

private:
    int count_;
    const Value* values_;
};

// Result setters. Texts and byte sets become new blocks owned by the caller; the
// empty text and the empty byte set are null pointers.
void returnInteger(Value* result, int32_t value);
void returnLongInteger(Value* result, int64_t value);
void returnDouble(Value* result, double value);
void returnLogical(Value* result, bool value);
void returnText(Value* result, std::string_view text);
void returnByteSet(Value* result, std::span<const uint8_t> bytes);

}  // namespace rt
