#pragma once

namespace grid {

enum class Placement { Start, Centre, End };

// Alignment codes 1-9 read as a 3 x 3 keypad: 2, 5 and 8 centre, 3, 6 and 9 to the
// right; 4-6 in the middle, 7-9 at the bottom. Every other code is top-left.
constexpr Placement horizontalPlacement(int code) {
    if (code == 2 || code == 5 || code == 8) return Placement::Centre;
    if (code == 3 || code == 6 || code == 9) return Placement::End;
    return Placement::Start;
}

constexpr Placement verticalPlacement(int code) {
    if (code >= 4 && code <= 6) return Placement::Centre;
    if (code >= 7 && code <= 9) return Placement::End;
    return Placement::Start;
}

}  // namespace grid
