#include "app/recovery/recovery_schedule.h"

#include <algorithm>

namespace app {

void RecoverySchedule::noteChange(Clock::time_point now) {
    if (!firstWaitingChange_) firstWaitingChange_ = now;
    lastChange_ = now;
}

void RecoverySchedule::noteSettled() { firstWaitingChange_.reset(); }

void RecoverySchedule::noteCopyStarted(Clock::time_point now) {
    firstWaitingChange_.reset();
    lastCopyStarted_ = now;
    copying_ = true;
}

void RecoverySchedule::noteCopyFinished() { copying_ = false; }

std::optional<RecoverySchedule::Clock::time_point> RecoverySchedule::nextCopyAt() const {
    if (!firstWaitingChange_ || copying_) return std::nullopt;
    Clock::time_point due = std::min(lastChange_ + rules_.pause, *firstWaitingChange_ + rules_.interval);
    if (lastCopyStarted_) due = std::max(due, *lastCopyStarted_ + rules_.interval);
    return due;
}

}  // namespace app
