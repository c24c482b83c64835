#pragma once

#include <cstdint>

namespace rt {

// The key codes the keyboard events carry, as the application's handlers compare
// them (13 Enter, 27 Escape, 65-90 letters, 112-123 F1-F12, ...); 0 for keys that
// have no such code.
int32_t virtualKeyOf(int qtKey);

// Key-state bits of mouse and key events: bit 0 Ctrl, bit 1 Shift, bit 2 Alt.
int32_t keyStateOf(unsigned qtModifiers);

}  // namespace rt
