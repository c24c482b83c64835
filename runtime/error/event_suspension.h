#pragma once

namespace rt {

// One counter stops event delivery to the application: the window loader raises it
// while it builds a window, and a runtime-error report raises it for good.
void suspendEvents();
void resumeEvents();
bool areEventsSuspended();

}  // namespace rt
