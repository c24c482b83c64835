#include "grid/provider/odbc/value_match.h"

#include <sql.h>

#include <charconv>
#include <cmath>
#include <optional>
#include <utility>

namespace grid::odbc {

namespace {

// Fifteen significant digits leave a relative error below 5e-15; a change smaller than
// this tolerance is no edit anyone made.
constexpr double relativeTolerance = 1e-13;

bool isApproximate(int16_t sqlType) { return sqlType == SQL_REAL || sqlType == SQL_FLOAT || sqlType == SQL_DOUBLE; }

// The lowest and highest value still taken as the one read, as texts; nothing when the
// text is no finite number (the driver's "NaN", "Infinity"), which "=" then matches.
std::optional<std::pair<std::u16string, std::u16string>> bounds(const Field& original, const Column& column) {
    if (original.isNull || !isApproximate(column.sqlType)) {
        return std::nullopt;
    }
    std::string text;
    for (char16_t c : original.text) {
        if (c > 0x7F) {
            return std::nullopt;
        }
        text += char(c);
    }
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    double slack = std::fabs(value) * relativeTolerance;
    auto asText = [](double number) {
        char buffer[32];
        auto written = std::to_chars(buffer, buffer + sizeof buffer, number);
        return std::u16string(buffer, written.ptr);
    };
    return std::pair{asText(value - slack), asText(value + slack)};
}

}  // namespace

std::u16string ValueMatch::condition(const std::u16string& quotedName, const Field& original, const Column& column) {
    if (original.isNull) {
        return quotedName + u" IS NULL";
    }
    return quotedName + (bounds(original, column) ? u" BETWEEN ? AND ?" : u" = ?");
}

void ValueMatch::appendParameters(std::vector<Parameter>& parameters, const Field& original, const Column& column) {
    if (original.isNull) {
        return;
    }
    if (auto range = bounds(original, column)) {
        parameters.push_back(Parameter::of({range->first, false}, column));
        parameters.push_back(Parameter::of({range->second, false}, column));
        return;
    }
    parameters.push_back(Parameter::of(original, column));
}

}  // namespace grid::odbc
