// How a workbook cell's number shows under its number format.
#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string>

#include "grid/workbook/number_display.h"

namespace {

using grid::workbook::builtinNumberFormat;
using grid::workbook::ShownNumber;
using grid::workbook::showNumber;

std::string utf8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

TEST(NumberDisplayTest, NumbersShowAsTheirCodeSays) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    const std::string chineseAccounting = "_ * #,##0.00_ ;_ * \\-#,##0.00_ ;_ * \"-\"??_ ;_ @_ ";
    struct Case {
        double value;
        std::string code;
        std::string text;
    } cases[] = {
        // General: about 11 characters, 15 significant digits at most.
        {0, "General", "0"},
        {42, "General", "42"},
        {-42, "general", "-42"},
        {0.1 + 0.2, "General", "0.3"},
        {1.0 / 3, "General", "0.333333333"},
        {12345678901, "General", "12345678901"},
        {123456789012, "General", "1.23457E+11"},
        {99999999999.9, "General", "1E+11"},
        {1e-10, "General", "1E-10"},
        {-1234.5678, "", "-1234.5678"},
        {1e100, "General", "1E+100"},
        {3.5, "@", "3.5"},
        {7, "[Red]General", "7"},
        {12, utf8(u8"G/通用格式\"元\""), utf8(u8"12元")},
        // Fixed decimals round half away from zero on the 15 digits a sheet keeps.
        {2.345, "0.00", "2.35"},
        {-2.345, "0.00", "-2.35"},
        {2.5, "0", "3"},
        {-0.004, "0.00", "-0.00"},
        {1234567.8, "#,##0", "1,234,568"},
        {1234.5, std::string(builtinNumberFormat(4)), "1,234.50"},
        {0, "#,##0", "0"},
        {1e20, "#,##0", "100,000,000,000,000,000,000"},
        {1234567, "#,##0,", "1,235"},
        {0.5, "#.##", ".5"},
        {1.5, "0.0#", "1.5"},
        {1.5, "0.0?", "1.5 "},
        {12.5, ".00", "12.50"},
        {5, "000", "005"},
        {12345678, "000-0000", "1234-5678"},
        {123456, "\"Q1 \"#,##0", "Q1 123,456"},
        {0.256, std::string(builtinNumberFormat(9)), "26%"},
        {0.0125, "0.0%", "1.3%"},
        {1234.5, std::string(builtinNumberFormat(11)), "1.23E+03"},
        {0.000123, "0.00E+00", "1.23E-04"},
        {9.996, "0.00E+00", "1.00E+01"},
        {0, "0.00E+00", "0.00E+00"},
        {12345, std::string(builtinNumberFormat(48)), "12.3E+3"},
        {1234, "0.0e-0", "1.2e3"},
        // Literal text, padding and currency.
        {5, "0\" kg\"", "5 kg"},
        {5, "0 \\h", "5 h"},
        {-5, "\"$\"0", "-$5"},
        {5, "[$USD-409] 0", "USD 5"},
        {5, "* 0", "5"},
        {1234.5, chineseAccounting, " 1,234.50 "},
        {-1234.5, chineseAccounting, " -1,234.50 "},
        {0, chineseAccounting, " -   "},
        // Sections for positive, negative and zero values.
        {-1234, std::string(builtinNumberFormat(37)), "(1,234)"},
        {-0.004, "0.00;(0.00)", "(0.00)"},
        {-5, "[Red]0.0;[Blue]-0.0", "-5.0"},
        {0, "0;-0", "0"},
        {0, "0;-0;\"zero\"", "zero"},
        {0, "0;-0;;@", ""},
        {-1, "yyyy-mm-dd;\"none\"", "none"},
        // Codes from a hostile or broken file.
        {5, ";", ""},
        {-5, ";;;", ""},
        {5, ";;;;", "5"},
        {5, std::string(5000, '0'), "5"},
        {5, std::string(900, '0'), std::string(899, '0') + "5"},
        {1e308, "0%", "1" + std::string(310, '0') + "%"},
        {1e300, "0" + std::string(200, ','), "0"},
        {5, "0.00\"kg", "5"},
        {5, "[Red0.00", "5"},
        {5, "0.00]", "5.00]"},
        {5, "0\\", "5"},
        {5, "0E+", "5"},
        {5, "0E+0E+0", "5"},
        {1.5, "# ?/?", "1.5"},
        {kNaN, "0.00", "#NUM!"},
        {kInfinity, "General", "#NUM!"},
        {-kInfinity, "yyyy-mm-dd", "#NUM!"},
    };
    for (const Case& item : cases) {
        ShownNumber shown = showNumber(item.value, item.code);
        EXPECT_EQ(shown.text, item.text) << item.value << " as " << item.code.substr(0, 40);
        EXPECT_FALSE(shown.date) << item.value << " as " << item.code.substr(0, 40);
    }
}

TEST(NumberDisplayTest, DateAndTimeCodesGiveDates) {
    struct Case {
        double value;
        std::string code;
        bool date1904;
        rt::DateParts date;
    } cases[] = {
        {46086, "yyyy\\-mm\\-dd", false, {2026, 3, 5}},
        {46086.75, utf8(u8"[$-804]yyyy\"年\"m\"月\"d\"日\""), false, {2026, 3, 5, 18}},
        {0.5, "h:mm", false, {1899, 12, 30, 12}},
        {0.75, "h:mm AM/PM", false, {1899, 12, 30, 18}},
        {0.25, "A/P", false, {1899, 12, 30, 6}},
        {1.0 / 1440, "mm:ss", false, {1899, 12, 30, 0, 1}},
        {1.5, "[h]:mm:ss", false, {1900, 1, 1, 12}},
        {0, "yyyy-mm-dd", false, {1899, 12, 30}},
        {1, "yyyy-mm-dd", false, {1900, 1, 1}},
        {59, "yyyy-mm-dd", false, {1900, 2, 28}},
        {60, "yyyy-mm-dd", false, {1900, 2, 28}},  // 29 February 1900 never was
        {61, "yyyy-mm-dd", false, {1900, 3, 1}},
        {0.5, "h:mm", true, {1899, 12, 30, 12}},
        {1, "yyyy-mm-dd", true, {1904, 1, 2}},
        {44624, "yyyy-mm-dd", true, {2026, 3, 5}},
    };
    for (const Case& item : cases) {
        ShownNumber shown = showNumber(item.value, item.code, item.date1904);
        ASSERT_TRUE(shown.date) << item.value << " as " << item.code;
        EXPECT_EQ(*shown.date, item.date) << item.value << " as " << item.code;
        EXPECT_EQ(shown.text, "") << item.value << " as " << item.code;
    }
}

TEST(NumberDisplayTest, BuiltinIdsAreNumbersOrDatesAndOthersAreEmpty) {
    const std::set<uint32_t> numberIds = {0, 1, 2, 3, 4, 9, 10, 11, 37, 38, 39, 40, 48, 49};
    const std::set<uint32_t> dateIds = {14, 15, 16, 17, 18, 19, 20, 21, 22, 27, 28,
                                        29, 30, 31, 32, 33, 34, 35, 36, 45, 46, 47,
                                        50, 51, 52, 53, 54, 55, 56, 57, 58};
    const rt::DateParts evening{2026, 3, 5, 18};
    for (uint32_t id = 0; id < 200; ++id) {
        std::string_view code = builtinNumberFormat(id);
        if (dateIds.contains(id)) {
            ShownNumber shown = showNumber(46086.75, code);
            EXPECT_EQ(shown.date, evening) << id;
        } else if (numberIds.contains(id)) {
            ShownNumber shown = showNumber(46086.75, code);
            EXPECT_FALSE(shown.date) << id;
            EXPECT_NE(shown.text.find('4'), std::string::npos) << id << ": " << shown.text;
        } else {
            EXPECT_EQ(code, "") << id;
        }
    }
    EXPECT_EQ(builtinNumberFormat(31), utf8(u8"yyyy\"年\"m\"月\"d\"日\""));
    EXPECT_EQ(builtinNumberFormat(0xFFFFFFFF), "");
}

}  // namespace
