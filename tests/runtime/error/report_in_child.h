#pragma once

#include <gtest/gtest.h>

#include <string>

#include "runtime/error/runtime_error.h"
#include "tests/support/temp_dir.h"

// Runs an action that must end in a runtime error in a child process, checks that the
// child ended with status 255 (exit code -1), and returns the exact text the error box
// would have shown.
inline std::string& reportFilePath() {
    static std::string path;
    return path;
}

inline void writeReportToFile(const std::string& text) { writeWholeFile(reportFilePath(), text); }

template <typename Action>
std::string reportInChild(Action&& action) {
    TempDir dir;
    reportFilePath() = dir.file("report");
    EXPECT_EXIT(
        {
            rt::setErrorPresenter(writeReportToFile);
            action();
        },
        ::testing::ExitedWithCode(255), "");
    return readWholeFile(reportFilePath());
}
