#pragma once

#include <string>

namespace rt {

// A calendar date and time of day, as written in texts.
struct DateParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const DateParts&, const DateParts&) = default;
};

// The date-time kind counts days since 1899-12-30 with the time of day as fraction;
// before that day the fraction still counts forward from midnight (-1.25 is
// 1899-12-29 06:00). Values are clamped to years 100..9999 first; not-a-number reads
// as 0. Times are rounded to the nearest second.
inline constexpr double kEarliestOleDate = -657434.0;
inline constexpr double kLatestOleDate = 2958465.0;
DateParts datePartsOf(double oleDate);
double oleDateOf(const DateParts& parts);

int daysInMonth(int year, int month);

// "%d年%d月%d日", then "%d时%d分%d秒" when the seconds are not 0, else "%d时%d分" when
// the minutes are not 0, else "%d时" when the hour is not 0.
std::string formatDateText(const DateParts& parts);

}  // namespace rt
