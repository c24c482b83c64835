#include "app/edit/size_step.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

// Presses a spin button the given number of times the way the dialog does: read the
// box, step, apply the whole part, write the box back.
struct Presses {
    std::vector<std::string> shown;
    std::vector<int32_t> applied;
};

Presses press(std::string text, int32_t direction, int times) {
    Presses result;
    for (int i = 0; i < times; ++i) {
        float size = app::steppedSize(app::shownSize(text), direction);
        text = app::sizeText(size);
        result.shown.push_back(text);
        result.applied.push_back(app::appliedSize(size));
    }
    return result;
}

TEST(SizeStep, UpMovesTheShownSizeByATenthAndTheTableAtTheWholeNumber) {
    Presses up = press("65", 1, 11);
    EXPECT_EQ(up.shown, (std::vector<std::string>{"65.1", "65.2", "65.3", "65.4", "65.5", "65.6",
                                                  "65.7", "65.8", "65.9", "66", "66.1"}));
    EXPECT_EQ(up.applied, (std::vector<int32_t>{65, 65, 65, 65, 65, 65, 65, 65, 65, 66, 66}));
}

TEST(SizeStep, EveryWholeNumberIsReachedAtTheTenthPress) {
    for (int start : {0, 1, 9, 65, 99, 250, 1000, 4095, 9999}) {
        Presses up = press(std::to_string(start), 1, 10);
        EXPECT_EQ(up.applied.back(), start + 1) << start;
        EXPECT_EQ(up.shown.back(), std::to_string(start + 1)) << start;
        EXPECT_EQ(up.applied[8], start) << start;
    }
}

TEST(SizeStep, DownStopsAtZero) {
    Presses down = press("0.3", -1, 5);
    EXPECT_EQ(down.shown, (std::vector<std::string>{"0.2", "0.1", "0", "0", "0"}));
    EXPECT_EQ(press("66", -1, 1).applied, (std::vector<int32_t>{65}));
    // Typed below zero, the box does not go further down.
    EXPECT_EQ(press("-5", -1, 2).shown, (std::vector<std::string>{"-5", "-5"}));
    EXPECT_EQ(press("abc", 1, 1).shown, (std::vector<std::string>{"0.1"}));
}

TEST(SizeStep, OtherDirectionsKeepTheSize) {
    EXPECT_EQ(app::steppedSize(65.5f, 0), 65.5f);
    EXPECT_EQ(app::steppedSize(65.5f, 2), 65.5f);
}

TEST(AppliedSize, TruncatesTowardZeroWithinThe32BitRange) {
    struct Case {
        double size;
        int32_t expected;
    };
    const Case cases[] = {
        {65.99, 65},
        {-3.7, -3},
        {0, 0},
        {1e12, std::numeric_limits<int32_t>::max()},
        {-1e12, std::numeric_limits<int32_t>::min()},
        {std::numeric_limits<double>::infinity(), std::numeric_limits<int32_t>::max()},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(app::appliedSize(c.size), c.expected) << c.size;
}

}  // namespace
