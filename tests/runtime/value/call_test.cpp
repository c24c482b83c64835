#include "runtime/value/call.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/value/owned.h"

namespace {

using rt::Value;
using rt::ValueType;

Value resultSeenOnEntry;

void recordResultOnEntry(Value* result, int, const Value*) { resultSeenOnEntry = *result; }

void leaveResultAlone(Value*, int, const Value*) {}

// Adds its second argument (default 1) to its first.
void addWithDefault(Value* result, int argc, const Value* argv) {
    rt::Arguments args(argc, argv);
    rt::returnInteger(result, args.integer(0) + args.integer(1, 1));
}

void joinTexts(Value* result, int argc, const Value* argv) {
    rt::Arguments args(argc, argv);
    std::string joined;
    for (int i = 0; i < args.count(); ++i) joined += args.text(i);
    rt::returnText(result, joined);
}

TEST(CallCommand, ResultStartsZeroed) {
    resultSeenOnEntry = {1, 2, 3};
    rt::callCommand(recordResultOnEntry, {});
    EXPECT_EQ(resultSeenOnEntry.low, 0u);
    EXPECT_EQ(resultSeenOnEntry.high, 0u);
    EXPECT_EQ(resultSeenOnEntry.type, 0u);
    Value untouched = rt::callCommand(leaveResultAlone, {Value::integer(9)});
    EXPECT_TRUE(untouched.isOmitted());
    EXPECT_EQ(untouched.low, 0u);
}

TEST(CallCommand, OmittedArgumentIsNotZero) {
    auto sum = [](std::initializer_list<Value> arguments) {
        return static_cast<int32_t>(rt::callCommand(addWithDefault, arguments).low);
    };
    EXPECT_EQ(sum({Value::integer(5)}), 6);
    EXPECT_EQ(sum({Value::integer(5), Value::omitted()}), 6);
    EXPECT_EQ(sum({Value::integer(5), Value::integer(0)}), 5);
    EXPECT_EQ(sum({Value::integer(5), Value::floating(-2.9)}), 3);
}

TEST(Arguments, NumericKindsConvertAndTruncate) {
    const Value values[] = {
        Value::floating(2.9),   Value::floating(-2.9),        Value::floating(1e20),
        Value::floating(std::nan("")), Value::byte(200),      Value::shortInteger(-7),
        Value::logical(true),   Value::text("12"),            Value::longInteger((1LL << 40) + 3),
    };
    rt::Arguments args(std::size(values), values);
    EXPECT_EQ(args.integer(0), 2);
    EXPECT_EQ(args.integer(1), -2);
    EXPECT_EQ(args.integer(2), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(args.integer(3), 0);
    EXPECT_EQ(args.integer(4), 200);
    EXPECT_EQ(args.integer(5), -7);
    EXPECT_EQ(args.integer(6), 1);
    EXPECT_EQ(args.integer(7, -1), -1);
    EXPECT_EQ(args.longInteger(8), (1LL << 40) + 3);
    EXPECT_EQ(args.integer(20, 42), 42);
    EXPECT_TRUE(args.logical(4));
    EXPECT_EQ(args.text(7), "12");
    EXPECT_EQ(args.text(0), "");
}

TEST(Arguments, BytesOfByteSetsAndTexts) {
    rt::OwnedBlock bytes(Value::byteSet(rt::makeByteSet(std::string_view("\x00\x01", 2))));
    const Value values[] = {Value::byteSet(bytes.get()), Value::text("ab"), Value::byteSet(nullptr)};
    rt::Arguments args(3, values);
    EXPECT_EQ(args.bytes(0).size(), 2u);
    EXPECT_EQ(args.bytes(1).size(), 2u);
    EXPECT_TRUE(args.bytes(2).empty());
}

TEST(CallCommand, TextResultsAreOwnedByTheCaller) {
    rt::OwnedText joined(rt::callCommand(joinTexts, {Value::text("表"), Value::text(nullptr), Value::text("格")}));
    EXPECT_EQ(joined.view(), "表格");
    Value empty = rt::callCommand(joinTexts, {Value::text("")});
    EXPECT_EQ(empty.type, rt::tagOf(ValueType::Text));
    EXPECT_EQ(empty.pointer(), nullptr);
}

TEST(ValueLayout, PointerFillsBothPayloadWords) {
    int anchor = 0;
    Value v = Value::fromPointer(&anchor, rt::tagOf(ValueType::Text));
    EXPECT_EQ(v.pointer(), &anchor);
    EXPECT_EQ(v.low, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&anchor)));
    EXPECT_EQ(v.high, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&anchor) >> 32));

    rt::UnitRef grid{0x52010001, 0x16010003, rt::unit_kind::Grid};
    Value unit = grid.toValue();
    EXPECT_EQ(unit.low, 0x52010001u);
    EXPECT_EQ(unit.high, 0x16010003u);
    EXPECT_EQ(rt::UnitRef::fromValue(unit), grid);
}

TEST(ValueType, TagClasses) {
    EXPECT_TRUE(rt::isNumeric(rt::tagOf(ValueType::Byte)));
    EXPECT_TRUE(rt::isNumeric(rt::tagOf(ValueType::Double)));
    EXPECT_FALSE(rt::isNumeric(rt::tagOf(ValueType::Logical)));
    EXPECT_FALSE(rt::isNumeric(rt::arrayTagOf(ValueType::Integer)));
    EXPECT_TRUE(rt::isArray(rt::arrayTagOf(ValueType::Text)));
    EXPECT_TRUE(rt::isLibraryKind(rt::unit_kind::ToolBar));
    EXPECT_FALSE(rt::isBasic(rt::unit_kind::Grid));
    EXPECT_TRUE(rt::isNothing(0));
}

}  // namespace
