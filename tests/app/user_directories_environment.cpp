#include <gtest/gtest.h>

#include "app/recovery/recovery_keeper.h"
#include "tests/app/user_directories.h"

namespace {

class UserDirectoriesEnvironment : public ::testing::Environment {
public:
    void SetUp() override { isolatedUserDirectories(); }
    void TearDown() override {
        // The editor ends normally, with its recovery folder, before the folder's
        // directory goes.
        app::endRecovery();
        std::error_code ignored;
        std::filesystem::remove_all(isolatedUserDirectories(), ignored);
    }
};

[[maybe_unused]] const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new UserDirectoriesEnvironment);

}  // namespace
