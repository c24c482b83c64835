#include "app/edit/size_step.h"

#include <cmath>
#include <limits>

#include "runtime/value/number_text.h"
#include "runtime/value/to_text.h"
#include "runtime/value/value.h"

namespace app {
namespace {

constexpr float kStep = 0.1f;
// Below this the size counts as zero, so a press of "down" no longer subtracts.
constexpr float kSmallestPositive = 0.0000001f;

}  // namespace

float shownSize(std::string_view text) { return static_cast<float>(rt::textToNumber(text)); }

// The step is added in single precision: 0.1f - 0.1f is exactly 0, where a double
// step would leave a remainder such as 1.49012e-09 in the box.
float steppedSize(float size, int32_t direction) {
    if (direction == 1) return size + kStep;
    if (direction == -1 && size > kSmallestPositive) return size - kStep;
    return size;
}

std::string sizeText(float size) { return rt::textOfValue(rt::Value::floatingSingle(size)); }

int32_t appliedSize(double size) {
    double whole = std::trunc(size);
    if (std::isnan(whole)) return 0;
    if (whole >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (whole <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(whole);
}

}  // namespace app
