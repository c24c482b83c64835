#include <gtest/gtest.h>

#include "tests/app/user_directories.h"

namespace {

class UserDirectoriesEnvironment : public ::testing::Environment {
public:
    void SetUp() override { isolatedUserDirectories(); }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(isolatedUserDirectories(), ignored);
    }
};

[[maybe_unused]] const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new UserDirectoriesEnvironment);

}  // namespace
