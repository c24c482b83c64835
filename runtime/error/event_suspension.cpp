#include "runtime/error/event_suspension.h"

namespace rt {
namespace {
int suspensionDepth = 0;
}

void suspendEvents() { ++suspensionDepth; }

void resumeEvents() {
    if (suspensionDepth > 0) --suspensionDepth;
}

bool areEventsSuspended() { return suspensionDepth > 0; }

}  // namespace rt
