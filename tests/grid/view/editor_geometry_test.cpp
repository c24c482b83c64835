// The in-place editor grows with its text in steps and stays inside the grid.
#include "grid/view/editor_geometry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "W" is 10 x 20 pixels; the client area 400 x 300 allows 38 bytes on a line.
QRect sized(const std::string& text, QRect cell = {50, 40, 60, 22}) {
    return grid::editorRect(text, cell, QSize(400, 300), 10, 20);
}

TEST(EditorGeometryTest, GrowsInStepsOfEightCharacters) {
    struct Case {
        std::string text;
        int width;
        int height;
        int left;
    } cases[] = {
        {"", 85, 28, 50},                      // (7 + 1) x 10 + 5, one line
        {"abcdefg", 85, 28, 50},
        {"abcdefgh", 165, 28, 50},             // 8 bytes: the next step
        {"年年年年", 165, 28, 50},             // double-byte characters count 2
        {"ab\r\ncd\nef", 85, 68, 50},          // three lines; CR does not count
        {std::string(100, 'x'), 395, 68, 5},   // wraps at 38 bytes: 38, 38, 24; shifted left to fit
    };
    for (const Case& c : cases) {
        QRect rect = sized(c.text);
        EXPECT_EQ(rect.width(), c.width) << c.text;
        EXPECT_EQ(rect.height(), c.height) << c.text;
        EXPECT_EQ(rect.topLeft(), QPoint(c.left, 40)) << c.text;
    }
}

TEST(EditorGeometryTest, WrapsAfterTheLastBlank) {
    // 30 x "a", a blank, 20 x "b": the first line ends after the blank (31 bytes),
    // the second holds 20, so the longest line is 31 bytes.
    QRect rect = sized(std::string(30, 'a') + " " + std::string(20, 'b'));
    EXPECT_EQ(rect.height(), 2 * 20 + 8);
    EXPECT_EQ(rect.width(), (31 + 1) * 10 + 5);
}

TEST(EditorGeometryTest, NeverSmallerThanTheCell) {
    QRect rect = sized("a", QRect(0, 0, 200, 100));
    EXPECT_EQ(rect.size(), QSize(200, 100));
}

TEST(EditorGeometryTest, ShiftedBackInsideTheClientArea) {
    QRect rect = sized(std::string(20, 'x'), QRect(350, 290, 60, 22));
    EXPECT_EQ(rect.right(), 399);
    EXPECT_EQ(rect.bottom(), 299);
    QRect wide = grid::editorRect("x", QRect(350, 0, 600, 22), QSize(400, 300), 10, 20);
    EXPECT_EQ(wide.left(), 0);
}

}  // namespace
