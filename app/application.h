#pragma once

#include <cstdint>
#include <span>

namespace app {

// The embedded window-template segment, compiled from app/ui.
std::span<const uint8_t> templateSegment();

// Everything the runtime needs before the first window loads: unit kinds, the
// templates and the routine table, the icon theme and the error box.
void initialiseRuntime();

}  // namespace app
