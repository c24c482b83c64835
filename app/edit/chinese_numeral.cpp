#include "app/edit/chinese_numeral.h"

#include <array>

namespace app {
namespace {

constexpr std::array<const char*, 10> kDigits{"零", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
constexpr std::array<const char*, 4> kPlaces{"", "十", "百", "千"};
constexpr uint64_t kTenThousand = 10000;
constexpr uint64_t kHundredMillion = 100000000;

// A number below 10000, every place written out: 一十 stays 一十 here, since inside a
// longer number (一百一十, 一万零一十) that is how it reads. A zero between written
// places becomes one 零; zeros at the end are silent.
std::string belowTenThousand(uint64_t value) {
    std::string text;
    bool zeroPending = false;
    for (int place = 3; place >= 0; --place) {
        uint64_t divisor = 1;
        for (int i = 0; i < place; ++i) divisor *= 10;
        uint64_t digit = value / divisor % 10;
        if (digit == 0) {
            zeroPending = !text.empty();
            continue;
        }
        if (zeroPending) text += kDigits[0];
        zeroPending = false;
        text += kDigits[digit];
        text += kPlaces[static_cast<size_t>(place)];
    }
    return text;
}

// Groups of four places named 万 and 亿, the same rules inside each group. When the
// rest below a group leaves its highest place empty it is joined with 零 (一万零五,
// 一亿零一十万).
std::string fullNumeral(uint64_t value) {
    for (auto [unit, name] : {std::pair{kHundredMillion, "亿"}, std::pair{kTenThousand, "万"}}) {
        if (value < unit) continue;
        std::string text = fullNumeral(value / unit) + name;
        uint64_t rest = value % unit;
        if (rest == 0) return text;
        if (rest < unit / 10) text += kDigits[0];
        return text + fullNumeral(rest);
    }
    return belowTenThousand(value);
}

}  // namespace

std::string chineseNumeral(int64_t value) {
    if (value == 0) return kDigits[0];
    // The magnitude is taken unsigned so that the smallest 64-bit number has one too.
    uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    std::string text = fullNumeral(magnitude);
    // A number that opens with 一十 drops the 一: 十, 十五, 十万, 十二亿.
    const std::string oneTen = std::string(kDigits[1]) + kPlaces[1];
    if (text.starts_with(oneTen)) text.erase(0, std::string_view(kDigits[1]).size());
    return value < 0 ? "负" + text : text;
}

}  // namespace app
