#pragma once

#include <span>

#include "runtime/window/event_types.h"

namespace app {

// The application's routines in the order the template segment's handler indexes
// count them, and their names in the same order.
std::span<const rt::ApplicationRoutine> applicationRoutines();
std::span<const char* const> applicationRoutineNames();

}  // namespace app
