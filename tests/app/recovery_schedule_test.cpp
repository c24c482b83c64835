// When recovery copies are written, on a clock the test moves by hand.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <vector>

#include "app/recovery/recovery_schedule.h"

namespace {

using app::RecoverySchedule;
using Clock = RecoverySchedule::Clock;
using std::chrono::seconds;

// Seconds after an arbitrary start; the schedule only compares time points.
Clock::time_point at(double second) {
    return Clock::time_point() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(second));
}

struct Step {
    enum Kind { Change, Started, Finished, Settled } kind;
    double second = 0;
};

struct ScheduleCase {
    const char* story;
    std::vector<Step> steps;
    std::optional<double> expectedDue;  // seconds; nothing when no copy is due
};

TEST(RecoveryScheduleTest, PlansTheNextCopyByThePauseTheIntervalAndTheCopyUnderWay) {
    using S = Step;
    const std::vector<ScheduleCase> cases = {
        {"nothing changed", {}, std::nullopt},
        {"one change waits for the pause", {{S::Change, 10}}, 13},
        {"every change restarts the pause", {{S::Change, 10}, {S::Change, 11}, {S::Change, 12.5}}, 15.5},
        {"changes without a pause are copied once the first waited the interval",
         {{S::Change, 0}, {S::Change, 2}, {S::Change, 4}, {S::Change, 6}, {S::Change, 8}, {S::Change, 10},
          {S::Change, 12}, {S::Change, 14}, {S::Change, 16}, {S::Change, 18}, {S::Change, 20}, {S::Change, 22},
          {S::Change, 24}, {S::Change, 26}, {S::Change, 28}, {S::Change, 29}},
         30},
        {"nothing is planned while a copy is written", {{S::Change, 0}, {S::Started, 3}, {S::Change, 4}}, std::nullopt},
        {"a change during the copy waits the interval from its start",
         {{S::Change, 0}, {S::Started, 3}, {S::Change, 4}, {S::Finished, 5}},
         33},
        {"a finished copy with nothing new plans nothing", {{S::Change, 0}, {S::Started, 3}, {S::Finished, 4}},
         std::nullopt},
        {"a late change after a copy only waits the pause",
         {{S::Change, 0}, {S::Started, 3}, {S::Finished, 4}, {S::Change, 100}},
         103},
        {"saving drops what waited", {{S::Change, 0}, {S::Change, 1}, {S::Settled, 2}}, std::nullopt},
        {"the interval outlives a save",
         {{S::Change, 0}, {S::Started, 3}, {S::Finished, 4}, {S::Settled, 5}, {S::Change, 10}},
         33},
    };
    for (const ScheduleCase& c : cases) {
        RecoverySchedule schedule;
        for (const Step& step : c.steps) {
            switch (step.kind) {
                case Step::Change: schedule.noteChange(at(step.second)); break;
                case Step::Started: schedule.noteCopyStarted(at(step.second)); break;
                case Step::Finished: schedule.noteCopyFinished(); break;
                case Step::Settled: schedule.noteSettled(); break;
            }
        }
        std::optional<Clock::time_point> due = schedule.nextCopyAt();
        if (c.expectedDue) {
            ASSERT_TRUE(due) << c.story;
            EXPECT_EQ(*due, at(*c.expectedDue)) << c.story;
        } else {
            EXPECT_FALSE(due) << c.story;
        }
    }
}

TEST(RecoveryScheduleTest, FollowsRulesOtherThanTheDefaults) {
    RecoverySchedule schedule({.pause = seconds(1), .interval = seconds(5)});
    schedule.noteChange(at(0));
    EXPECT_EQ(schedule.nextCopyAt(), at(1));
    schedule.noteCopyStarted(at(1));
    EXPECT_TRUE(schedule.isCopying());
    schedule.noteChange(at(2));
    schedule.noteCopyFinished();
    EXPECT_FALSE(schedule.isCopying());
    EXPECT_EQ(schedule.nextCopyAt(), at(6));
}

}  // namespace
