#pragma once

#include <cstdint>

namespace grid {

// The grid's flag word; properties 4-9 each set one of these bits.
namespace GridFlags {
inline constexpr uint32_t kMultiSelect = 0x01;
inline constexpr uint32_t kHeadersShown = 0x02;
inline constexpr uint32_t kGridLinesShown = 0x04;
inline constexpr uint32_t kPrintUnclipped = 0x08;
inline constexpr uint32_t kPasteMayGrow = 0x10;
inline constexpr uint32_t kRowHeightsFixed = 0x20;
inline constexpr uint32_t kColumnWidthsFixed = 0x40;
inline constexpr uint32_t kInitial = 0x17;
// Only these change what the window shows.
inline constexpr uint32_t kAffectingPaint = kHeadersShown | kGridLinesShown | kPrintUnclipped;
}  // namespace GridFlags

}  // namespace grid
