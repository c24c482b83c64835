#include "grid/model/date_text.h"

#include <string>

#include "runtime/value/number_text.h"

namespace grid {
namespace {

class DateScanner {
public:
    explicit DateScanner(std::string_view text) : text_(text) {}

    int digits(int maximum) {
        int value = 0;
        for (int count = 0; count < maximum && position_ < text_.size(); ++count) {
            char c = text_[position_];
            if (c < '0' || c > '9') break;
            value = value * 10 + (c - '0');
            ++position_;
        }
        return value;
    }

    // Consumes one of the ASCII separators or the given unit, when present.
    void separator(std::string_view asciiSeparators, std::string_view unit) {
        if (position_ < text_.size() && asciiSeparators.find(text_[position_]) != std::string_view::npos) {
            ++position_;
        } else if (text_.substr(position_).starts_with(unit)) {
            position_ += unit.size();
        }
    }

    bool consume(std::string_view word) {
        if (!text_.substr(position_).starts_with(word)) return false;
        position_ += word.size();
        return true;
    }

    bool atEnd() const { return position_ == text_.size(); }

private:
    std::string_view text_;
    size_t position_ = 0;
};

constexpr std::string_view kSeparators = "-./:";
constexpr std::string_view kDaySeparators = " -./:";

}  // namespace

std::optional<rt::DateParts> parseDateText(std::string_view gbk) {
    std::string folded = rt::foldFullWidth(gbk);
    DateScanner scanner(folded);
    rt::DateParts parts;
    parts.year = scanner.digits(4);
    scanner.separator(kSeparators, "年");
    parts.month = scanner.digits(2);
    scanner.separator(kSeparators, "月");
    parts.day = scanner.digits(2);
    scanner.separator(kDaySeparators, "日");
    parts.hour = scanner.digits(2);
    scanner.separator(kSeparators, "时");
    parts.minute = scanner.digits(2);
    scanner.separator(kSeparators, "分");
    parts.second = scanner.digits(2);
    if (!scanner.atEnd() && !(scanner.consume("秒") && scanner.atEnd())) return std::nullopt;

    bool valid = parts.year >= 100 && parts.year <= 9999 && parts.month >= 1 && parts.month <= 12 &&
                 parts.day >= 1 && parts.day <= rt::daysInMonth(parts.year, parts.month) &&
                 parts.hour <= 23 && parts.minute <= 59 && parts.second <= 59;
    if (!valid) return std::nullopt;
    return parts;
}

}  // namespace grid
