#include "app/statistics/arithmetic.h"

#include <cmath>

#include "runtime/value/number_text.h"

namespace app {

std::optional<double> combine(Aggregate aggregate, double acc, double v) {
    switch (aggregate) {
        case Aggregate::Sum: return acc + v;
        case Aggregate::Product: return acc * v;
        case Aggregate::Quotient: return acc / v;
        case Aggregate::Difference: return acc - v;
        case Aggregate::Remainder:
            if (v == 0) return std::nullopt;
            return std::fmod(acc, v);
    }
    return std::nullopt;
}

double roundHalfAway(double value, int32_t places) {
    if (value == 0 || !std::isfinite(value)) return value;
    // A double holds no digit 16 places right of its first; and 10 to a power beyond
    // 308 is infinite, which would turn every value into "nan". Positions beyond
    // either end leave the value as it is, or round it to 0.
    if (places > 15) return value;
    if (places < -308) return std::copysign(0.0, value);
    const double magnitude = std::fabs(value);
    const double scale = std::pow(10.0, std::abs(places));
    double scaled = places > 0 ? magnitude * scale : places < 0 ? magnitude / scale : magnitude;
    scaled += 1e-12;
    double whole = std::floor(scaled);
    if (scaled - whole >= 0.5) whole += 1;
    const double rounded = places > 0 ? whole / scale : places < 0 ? whole * scale : whole;
    return std::copysign(rounded, value);
}

std::string resultText(double value) { return value == 0 ? std::string("0") : rt::numberToText(value); }

bool isBlank(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ') continue;
        if (text.substr(i, 2) == "\xA1\xA1") {
            ++i;
            continue;
        }
        return false;
    }
    return true;
}

}  // namespace app
