#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// How the statistics commands combine the values of a row or column.
enum class Aggregate { Sum = 0, Product = 1, Quotient = 2, Remainder = 3, Difference = 4 };

// acc combined with v. The quotient makes no zero check (the text of an infinity or
// not-a-number is written); the remainder, truncated toward zero, has no value for a
// zero divisor and gives nothing.
std::optional<double> combine(Aggregate aggregate, double acc, double v);

// Rounds half away from zero at `places` digits right of the point (left of it when
// negative), nudged by 1e-12 so that 1.005 reaches 1.01 despite its binary form.
double roundHalfAway(double value, int32_t places);

// The text a computed value is written as: the runtime's number text, except that a
// zero is "0" whatever its sign (rounding -0.4, or 0 times -1, gives a negative zero,
// and "-0" in a cell looks like a fault).
std::string resultText(double value);

// A cell counts as empty for a probe when nothing but ASCII and ideographic spaces
// stand in it.
bool isBlank(std::string_view text);

}  // namespace app
