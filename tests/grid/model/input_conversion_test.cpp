#include "grid/model/input_conversion.h"

#include <gtest/gtest.h>

#include "grid/model/date_text.h"

namespace {

using grid::InputType;

struct Conversion {
    InputType type;
    const char* typed;
    const char* stored;
};

class InputConversionTest : public testing::TestWithParam<Conversion> {};

TEST_P(InputConversionTest, StoresTheConvertedText) {
    const Conversion& c = GetParam();
    EXPECT_EQ(grid::convertByInputType(c.typed, c.type), c.stored) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, InputConversionTest,
    testing::Values(Conversion{InputType::Normal, " 007 ", " 007 "}, Conversion{InputType::Integer, "0", ""},
                    Conversion{InputType::Integer, "abc", ""}, Conversion{InputType::Integer, "  42abc", "42"},
                    Conversion{InputType::Integer, "-7.9", "-7"},
                    Conversion{InputType::Integer, "3000000000", "2147483647"},
                    Conversion{InputType::Integer, "-3000000000", "-2147483648"},
                    Conversion{InputType::Byte, "300", "255"}, Conversion{InputType::Byte, "-5", ""},
                    Conversion{InputType::Short, "40000", "32767"}, Conversion{InputType::Short, "-40000", "-32768"},
                    Conversion{InputType::Long, "99999999999999999999", "9223372036854775807"},
                    Conversion{InputType::Long, "-12345678901", "-12345678901"},
                    // Digits typed with a full-width input method are still digits.
                    Conversion{InputType::Integer, "１２３", "123"},
                    Conversion{InputType::Float, "3.14159265", "3.14159"},
                    Conversion{InputType::Float, "16777217", "1.67772e+07"}, Conversion{InputType::Float, "-0", ""},
                    Conversion{InputType::Double, "3.14159265358979", "3.14159265359"},
                    Conversion{InputType::Double, "1e-50", "1e-50"}, Conversion{InputType::Double, "0.0", ""}));

INSTANTIATE_TEST_SUITE_P(Logical, InputConversionTest,
                         testing::Values(Conversion{InputType::Logical, "TRUE", "真"},
                                         Conversion{InputType::Logical, "yes", "假"},
                                         Conversion{InputType::Logical, "真", "真"},
                                         Conversion{InputType::Logical, "ZHEN", "真"},
                                         Conversion{InputType::Logical, "1", "真"},
                                         Conversion{InputType::Logical, " 1", "假"},
                                         Conversion{InputType::Logical, "", "假"}));

INSTANTIATE_TEST_SUITE_P(
    DateTime, InputConversionTest,
    testing::Values(Conversion{InputType::DateTime, "2012年2月30日", ""},
                    Conversion{InputType::DateTime, "2012-2-3 4:5", "2012年2月3日4时5分"},
                    Conversion{InputType::DateTime, "2012-2-3", "2012年2月3日"},
                    Conversion{InputType::DateTime, "20120203", "2012年2月3日"},
                    Conversion{InputType::DateTime, "2012/2/29 13", "2012年2月29日13时"},
                    Conversion{InputType::DateTime, "2011/2/29", ""},
                    Conversion{InputType::DateTime, "2012年2月3日4时5分6秒", "2012年2月3日4时5分6秒"},
                    Conversion{InputType::DateTime, "2012.12.31 23:59:59", "2012年12月31日23时59分59秒"},
                    Conversion{InputType::DateTime, "２０１２－２－３　４：０５", "2012年2月3日4时5分"},
                    Conversion{InputType::DateTime, "2012-2-3 24:00", ""},
                    Conversion{InputType::DateTime, "2012-2-3 4:60", ""},
                    Conversion{InputType::DateTime, "2012-13-1", ""}, Conversion{InputType::DateTime, "99-1-1", ""},
                    Conversion{InputType::DateTime, "2012-1-1x", ""}, Conversion{InputType::DateTime, "2012", ""},
                    Conversion{InputType::DateTime, "", ""}));

TEST(DateTextTest, AFourDigitYearStopsAtItsFourthDigit) {
    auto parts = grid::parseDateText("201202031405");
    ASSERT_TRUE(parts.has_value());
    EXPECT_EQ(*parts, (rt::DateParts{2012, 2, 3, 14, 5, 0}));
}

}  // namespace
