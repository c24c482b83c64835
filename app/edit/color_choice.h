#pragma once

#include <cstdint>
#include <optional>

#include "runtime/dll/dll_calls.h"

namespace app {

// The colour dialog with its top-left corner at the mouse pointer, so it opens where
// the person is looking: the chosen colour as 0x00BBGGRR, nothing when cancelled.
std::optional<uint32_t> chooseColorAtPointer();

// Where the dialog goes: its top-left corner at the pointer, its size kept, moved
// back inside the screen area where it would reach past an edge.
rt::dll::ScreenRect dialogFrameAt(rt::dll::ScreenPoint pointer, const rt::dll::ScreenRect& dialog,
                                  const rt::dll::ScreenRect& screen);

}  // namespace app
