#include "grid/provider/odbc_field_text.h"

#include <algorithm>
#include <cstdio>

#include "grid/model/date_text.h"
#include "grid/model/input_conversion.h"
#include "runtime/value/number_text.h"

namespace grid {
namespace {

namespace sql_type {
constexpr int16_t Integer = 4;
constexpr int16_t SmallInteger = 5;
constexpr int16_t Float = 6;
constexpr int16_t Real = 7;
constexpr int16_t Double = 8;
constexpr int16_t Bit = -7;
constexpr int16_t TinyInteger = -6;
constexpr int16_t BigInteger = -5;
}  // namespace sql_type

// Drivers write fractions of a second ("12:30:05.250"), which the date rules do not
// read; the cell shows whole seconds anyway.
std::string_view withoutFraction(std::string_view field) {
    size_t colon = field.rfind(':');
    if (colon == std::string_view::npos) return field;
    size_t dot = field.find('.', colon);
    return dot == std::string_view::npos ? field : field.substr(0, dot);
}

std::string clampedInteger(std::string_view text, int32_t low, int32_t high) {
    return std::to_string(std::clamp(rt::integerOf(text), low, high));
}

bool isTimeOnlySqlType(int16_t sqlType) { return sqlType == 10 || sqlType == 92; }

}  // namespace

bool isDateSqlType(int16_t sqlType) { return (sqlType >= 9 && sqlType <= 11) || (sqlType >= 91 && sqlType <= 93); }

InputType inputTypeOfSqlType(int16_t sqlType) {
    if (isDateSqlType(sqlType)) return InputType::DateTime;
    switch (sqlType) {
        case sql_type::Integer: return InputType::Integer;
        case sql_type::SmallInteger: return InputType::Short;
        case sql_type::Float:
        case sql_type::Double: return InputType::Double;
        case sql_type::Real: return InputType::Float;
        case sql_type::Bit: return InputType::Logical;
        case sql_type::TinyInteger: return InputType::Byte;
        case sql_type::BigInteger: return InputType::Long;
        default: return InputType::Normal;
    }
}

std::string cellTextOfField(std::string_view field, int16_t sqlType) {
    if (sqlType == sql_type::Bit) return field.empty() || field.front() == '0' ? "假" : "真";
    if (isDateSqlType(sqlType)) {
        std::string_view whole = withoutFraction(field);
        auto parts = parseDateText(whole);
        // A time of day alone reads as that time on the calendar's day 0, the form a
        // date-time cell holds it in and writes it back as.
        if (!parts && isTimeOnlySqlType(sqlType)) parts = parseDateText("1899-12-30 " + std::string(whole));
        return parts ? rt::formatDateText(*parts) : std::string();
    }
    return std::string(field);
}

std::optional<std::string> fieldTextOfCell(std::string_view text, int16_t sqlType) {
    if (isDateSqlType(sqlType)) {
        // An emptied cell empties the field.
        if (text.empty()) return std::string();
        auto parts = parseDateText(text);
        if (!parts) return std::nullopt;
        char written[32];
        std::snprintf(written, sizeof written, "%04d-%02d-%02d %02d:%02d:%02d", parts->year, parts->month, parts->day,
                      parts->hour, parts->minute, parts->second);
        return std::string(written);
    }
    switch (sqlType) {
        case sql_type::Integer: return std::to_string(rt::integerOf(text));
        case sql_type::SmallInteger: return clampedInteger(text, -32768, 32767);
        case sql_type::TinyInteger: return clampedInteger(text, 0, 255);
        case sql_type::Bit: return std::string(isLogicalTrueWord(text) ? "1" : "0");
        default: return std::string(text);
    }
}

}  // namespace grid
