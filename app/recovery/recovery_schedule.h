#pragma once

#include <chrono>
#include <optional>

namespace app {

// When the next recovery copy of a document with unsaved changes is written. A copy
// waits until the person has paused for a moment, so that it catches a finished
// edit and typing never competes with it; while the changes go on without a pause it
// is written all the same once the first of them waited the longest delay. Copies
// of a large table keep the disk busy, so two of them start at least the interval
// apart. One copy is written at a time.
class RecoverySchedule {
public:
    using Clock = std::chrono::steady_clock;

    struct Rules {
        Clock::duration pause = std::chrono::seconds(3);
        Clock::duration interval = std::chrono::seconds(30);
    };

    RecoverySchedule() = default;
    explicit RecoverySchedule(Rules rules) : rules_(rules) {}

    void noteChange(Clock::time_point now);
    // The document has no unsaved changes any more (saved, replaced, closed): what
    // waited for a copy no longer needs one.
    void noteSettled();
    // The changes noted so far are in the copy now being written.
    void noteCopyStarted(Clock::time_point now);
    void noteCopyFinished();

    bool isCopying() const { return copying_; }
    // When the next copy is due; nothing while no change waits or a copy is being
    // written (the next one is planned when it finishes).
    std::optional<Clock::time_point> nextCopyAt() const;

private:
    Rules rules_;
    std::optional<Clock::time_point> firstWaitingChange_;
    Clock::time_point lastChange_;
    std::optional<Clock::time_point> lastCopyStarted_;
    bool copying_ = false;
};

}  // namespace app
