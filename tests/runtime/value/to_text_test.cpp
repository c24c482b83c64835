#include "runtime/value/to_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "runtime/value/blocks.h"
#include "runtime/value/ole_date.h"
#include "runtime/value/owned.h"

namespace {

using rt::Value;
using rt::ValueType;

TEST(GbkLiterals, NarrowLiteralsAreStoredAsGbk) {
    EXPECT_EQ(std::string("年"), "\xC4\xEA");
    EXPECT_EQ(std::string("真假"), "\xD5\xE6\xBC\xD9");
}

TEST(ToText, IntegerKindsUseTheirOwnWidth) {
    EXPECT_EQ(rt::textOfValue({0x1FF, 0, rt::tagOf(ValueType::Byte)}), "255");
    EXPECT_EQ(rt::textOfValue({0x1FFFF, 0, rt::tagOf(ValueType::Short)}), "-1");
    EXPECT_EQ(rt::textOfValue(Value::shortInteger(-32768)), "-32768");
    EXPECT_EQ(rt::textOfValue(Value::integer(std::numeric_limits<int32_t>::min())), "-2147483648");
    EXPECT_EQ(rt::textOfValue(Value::longInteger(std::numeric_limits<int64_t>::min())),
              "-9223372036854775808");
    EXPECT_EQ(rt::textOfValue(Value::longInteger(1LL << 40)), "1099511627776");
}

TEST(ToText, FloatingKinds) {
    EXPECT_EQ(rt::textOfValue(Value::floatingSingle(0.1f)), "0.1");
    EXPECT_EQ(rt::textOfValue(Value::floatingSingle(1234567.0f)), "1.23457e+06");
    EXPECT_EQ(rt::textOfValue(Value::floatingSingle(std::nanf(""))), "nan");
    EXPECT_EQ(rt::textOfValue(Value::floating(1.0 / 3)), "0.3333333333333");
    EXPECT_EQ(rt::textOfValue(Value::floating(-std::numeric_limits<double>::infinity())), "-inf");
}

TEST(ToText, LogicalIsTrueOrFalseInChinese) {
    EXPECT_EQ(rt::textOfValue(Value::logical(true)), "真");
    EXPECT_EQ(rt::textOfValue({7, 0, rt::tagOf(ValueType::Logical)}), "真");
    EXPECT_EQ(rt::textOfValue(Value::logical(false)), "假");
}

TEST(ToText, DateTimeForms) {
    const double newYear2013 = 41275;  // 2013-01-01
    const double second = 1.0 / 86400;
    const std::pair<double, const char*> cases[] = {
        {0, "1899年12月30日"},
        {newYear2013, "2013年1月1日"},
        {newYear2013 + 0.25, "2013年1月1日6时"},
        {newYear2013 + (6 * 3600 + 5 * 60) * second, "2013年1月1日6时5分"},
        {newYear2013 + (6 * 3600 + 5 * 60 + 7) * second, "2013年1月1日6时5分7秒"},
        {newYear2013 + 5 * 60 * second, "2013年1月1日0时5分"},
        {newYear2013 + 3 * second, "2013年1月1日0时0分3秒"},
        {newYear2013 + 86399.6 * second, "2013年1月2日"},
        {-1.25, "1899年12月29日6时"},
        {-0.5, "1899年12月30日12时"},
        {-1e9, "100年1月1日"},
        {1e9, "9999年12月31日"},
        {std::nan(""), "1899年12月30日"},
        {std::numeric_limits<double>::infinity(), "9999年12月31日"},
    };
    for (const auto& [date, expected] : cases) EXPECT_EQ(rt::textOfValue(Value::dateTime(date)), expected) << date;
}

TEST(OleDate, PartsRoundTripAcrossTheWholeRange) {
    for (double date : {-657434.0, -1.25, 0.0, 0.75, 60.0, 41275.5, 2958465.0}) {
        rt::DateParts parts = rt::datePartsOf(date);
        EXPECT_DOUBLE_EQ(rt::oleDateOf(parts), date) << date;
    }
    EXPECT_EQ(rt::daysInMonth(2012, 2), 29);
    EXPECT_EQ(rt::daysInMonth(1900, 2), 28);
    EXPECT_EQ(rt::daysInMonth(2000, 2), 29);
    EXPECT_EQ(rt::daysInMonth(2013, 13), 0);
}

TEST(ToText, TextAndBytes) {
    char text[] = "表格";
    Value textValue = Value::text(text);
    char* copy = rt::toText(textValue);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, text);
    EXPECT_STREQ(copy, "表格");
    rt::release(copy);

    EXPECT_EQ(rt::toText(Value::text(nullptr)), nullptr);
    EXPECT_EQ(rt::toText(Value::byteSet(nullptr)), nullptr);

    rt::OwnedBlock bytes(Value::byteSet(rt::makeByteSet(std::string_view("ab\0cd", 5))));
    EXPECT_EQ(rt::textOfValue(Value::byteSet(bytes.get())), "ab");
    rt::OwnedBlock noNul(Value::byteSet(rt::makeByteSet(std::string_view("xyz"))));
    EXPECT_EQ(rt::textOfValue(Value::byteSet(noNul.get())), "xyz");
}

TEST(ToText, NumericArrayGivesItsRawBytes) {
    uint32_t size = 2;
    Value array = Value::array(rt::makeArray(4, {&size, 1}), ValueType::Integer);
    rt::OwnedBlock owner(array);
    uint32_t words[2] = {0x00636261, 0x64636261};  // "abc" then NUL
    std::memcpy(rt::arrayElements(array.pointer()), words, sizeof words);
    EXPECT_EQ(rt::textOfValue(array), "abc");
    words[0] = 0x64636261;
    std::memcpy(rt::arrayElements(array.pointer()), words, sizeof words);
    EXPECT_EQ(rt::textOfValue(array), "abcdabcd");
}

TEST(ToText, KindsWithoutTextGiveNothing) {
    EXPECT_EQ(rt::toText(Value::omitted()), nullptr);
    EXPECT_EQ(rt::toText(rt::UnitRef{0x52010001, 0x16010003, rt::unit_kind::Grid}.toValue()), nullptr);
}

}  // namespace
