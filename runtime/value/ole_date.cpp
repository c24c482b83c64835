#include "runtime/value/ole_date.h"

#include <cmath>

namespace rt {
namespace {

// Days from 1970-01-01 to a civil date and back (proleptic Gregorian calendar).
long long daysFromCivil(long long year, unsigned month, unsigned day) {
    year -= month <= 2;
    long long era = (year >= 0 ? year : year - 399) / 400;
    unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

void civilFromDays(long long days, DateParts& parts) {
    days += 719468;
    long long era = (days >= 0 ? days : days - 146096) / 146097;
    unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    parts.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    parts.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    parts.year = static_cast<int>(static_cast<long long>(yearOfEra) + era * 400 + (parts.month <= 2));
}

const long long kOleEpochDays = daysFromCivil(1899, 12, 30);

}  // namespace

DateParts datePartsOf(double oleDate) {
    if (std::isnan(oleDate)) oleDate = 0;
    if (oleDate < kEarliestOleDate) oleDate = kEarliestOleDate;
    if (oleDate > kLatestOleDate) oleDate = kLatestOleDate;
    double wholeDays = std::trunc(oleDate);
    auto seconds = static_cast<long long>(std::llround(std::fabs(oleDate - wholeDays) * 86400.0));
    auto days = static_cast<long long>(wholeDays);
    if (seconds >= 86400) {
        // Rounding reached midnight: that is the next calendar day.
        seconds -= 86400;
        days += 1;
    }
    DateParts parts;
    civilFromDays(kOleEpochDays + days, parts);
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    return parts;
}

double oleDateOf(const DateParts& parts) {
    long long days = daysFromCivil(parts.year, static_cast<unsigned>(parts.month),
                                   static_cast<unsigned>(parts.day)) - kOleEpochDays;
    double fraction = (parts.hour * 3600.0 + parts.minute * 60.0 + parts.second) / 86400.0;
    return days >= 0 ? double(days) + fraction : double(days) - fraction;
}

int daysInMonth(int year, int month) {
    static constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : lengths[month - 1];
}

std::string formatDateText(const DateParts& parts) {
    std::string text = std::to_string(parts.year) + "年" + std::to_string(parts.month) + "月" +
                       std::to_string(parts.day) + "日";
    if (parts.second != 0) {
        text += std::to_string(parts.hour) + "时" + std::to_string(parts.minute) + "分" +
                std::to_string(parts.second) + "秒";
    } else if (parts.minute != 0) {
        text += std::to_string(parts.hour) + "时" + std::to_string(parts.minute) + "分";
    } else if (parts.hour != 0) {
        text += std::to_string(parts.hour) + "时";
    }
    return text;
}

}  // namespace rt
