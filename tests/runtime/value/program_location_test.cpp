#include "runtime/value/program_location.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace {

TEST(ProgramLocation, SplitsThePathAndMovesIntoTheProgramDirectory) {
    EXPECT_EQ(rt::programFileName(), "runtime_value_tests");
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(rt::programDirectory()) / rt::programFileName()));
    // In a child, so the other tests keep their working directory.
    EXPECT_EXIT(
        {
            chdir("/");
            rt::initialiseProgramLocation();
            std::_Exit(std::filesystem::current_path() == rt::programDirectory() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
