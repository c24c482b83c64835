#include "grid/model/sort_key.h"

#include <charconv>
#include <optional>
#include <string>

#include "grid/model/date_text.h"
#include "runtime/value/number_text.h"
#include "runtime/value/ole_date.h"

namespace grid {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The lead bytes of the GBK full-width forms (digits, signs) and of the ideographic
// space: a text that starts with any other byte above 0x7F is no number or date.
bool mayStartFullWidthNumber(char c) { return c == '\xA3' || c == '\xA1'; }

std::string_view trimmedBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The value of a text that is one decimal number and nothing else (blanks around it
// aside), as people type numbers into a normal cell: "12", "-3.5", "1e3".
std::optional<double> wholeNumberOf(std::string_view text) {
    text = trimmedBlanks(text);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        if (text.size() < 2 || !(isDigit(text[1]) || text[1] == '.')) return std::nullopt;
    } else if (text.empty() || !(isDigit(text.front()) || text.front() == '.')) {
        return std::nullopt;
    }
    // from_chars takes no plus sign; it would also take "inf" and "nan", which the
    // checks above have already kept out.
    const char* begin = text.data() + (text.front() == '+' ? 1 : 0);
    const char* end = text.data() + text.size();
    double value = 0;
    auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

std::optional<double> dateValueOf(std::string_view text) {
    std::optional<rt::DateParts> parts = parseDateText(text);
    if (!parts) return std::nullopt;
    return rt::oleDateOf(*parts);
}

// A normal cell holds whatever was typed: a number or a date written as people write
// them still sorts as one.
SortKey keyOfTypedText(std::string_view text) {
    const std::string_view trimmed = trimmedBlanks(text);
    if (!trimmed.empty() && mayStartFullWidthNumber(trimmed.front())) {
        const std::string folded = rt::foldFullWidth(trimmed);
        if (std::optional<double> number = wholeNumberOf(folded)) return {SortKey::Rank::Number, *number, text};
        if (std::optional<double> date = dateValueOf(folded)) return {SortKey::Rank::Date, *date, text};
        return {SortKey::Rank::Text, 0, text};
    }
    if (std::optional<double> number = wholeNumberOf(trimmed)) return {SortKey::Rank::Number, *number, text};
    if (!trimmed.empty() && isDigit(trimmed.front())) {
        if (std::optional<double> date = dateValueOf(trimmed)) return {SortKey::Rank::Date, *date, text};
    }
    return {SortKey::Rank::Text, 0, text};
}

template <typename T>
int threeWay(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

SortKey sortKeyOf(const Cell& cell) {
    const std::string_view text = cell.text();
    if (text.empty()) return {};
    if (cell.kind() != CellKind::Text) return {SortKey::Rank::Text, 0, text};
    switch (inputTypeOf(cell.flags())) {
        case InputType::Byte:
        case InputType::Short:
        case InputType::Integer:
        case InputType::Long:
        case InputType::Float:
        case InputType::Double: return {SortKey::Rank::Number, rt::textToNumber(text), text};
        case InputType::DateTime:
            if (std::optional<double> date = dateValueOf(text)) return {SortKey::Rank::Date, *date, text};
            return {SortKey::Rank::Text, 0, text};
        default: return keyOfTypedText(text);
    }
}

int compareSortKeys(const SortKey& a, const SortKey& b, bool descending) {
    if (a.rank == SortKey::Rank::Empty || b.rank == SortKey::Rank::Empty) {
        return threeWay(a.rank == SortKey::Rank::Empty, b.rank == SortKey::Rank::Empty);
    }
    int order = threeWay(a.rank, b.rank);
    if (order == 0 && a.rank == SortKey::Rank::Text) {
        const int bytes = a.text.compare(b.text);
        order = (bytes > 0) - (bytes < 0);
    } else if (order == 0) {
        order = threeWay(a.value, b.value);
    }
    return descending ? -order : order;
}

}  // namespace grid
