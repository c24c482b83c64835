#pragma once

#include <cstdint>

namespace rt {

// The colour picker's own properties (index 8 + n).
namespace color_picker_property {
inline constexpr int32_t Color = 0;               // 0x00BBGGRR; 0xFF000000 is transparent
inline constexpr int32_t TransparentAllowed = 1;  // 1 offers the transparent entry
}  // namespace color_picker_property

}  // namespace rt
