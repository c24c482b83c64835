#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace app {

// The row-height and column-width boxes of "表格属性" show a size in 0.1 mm with one
// decimal that the spin buttons move by 0.1; the table takes the whole part only.

// The size a box's text stands for, kept in single precision as the box always has.
float shownSize(std::string_view text);

// One press of the spin buttons: +1 adds 0.1, -1 takes 0.1 away while the size is
// above zero (so it stops at 0 rather than going below), anything else keeps it.
float steppedSize(float size, int32_t direction);

// The size as the box shows it: the runtime's text of a single-precision number
// ("%.6g"), so 65.1 reads 65.1 and not the double nearest the float.
std::string sizeText(float size);

// The size applied to the table: truncated toward zero, limited to the 32-bit range;
// text that is no number applies 0.
int32_t appliedSize(double size);

}  // namespace app
