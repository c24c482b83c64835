#include "runtime/value/regular_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "tests/support/temp_dir.h"

namespace {

// Everything that is not a plain file is refused by what it is, before it is opened
// (a FIFO would hold the program, /dev/zero would never end).
TEST(RegularFileTest, ReadsOnlyRegularFilesWithinTheirBound) {
    TempDir directory;
    writeWholeFile(directory.file("plain"), "twelve bytes");
    ASSERT_EQ(::mkfifo(directory.file("fifo").c_str(), 0666), 0);
    struct Case {
        std::string path;
        uint64_t bound;
        rt::FileReadFailure failure;
    };
    const Case cases[] = {
        {directory.file("plain"), 12, rt::FileReadFailure::None},
        {directory.file("plain"), 11, rt::FileReadFailure::TooLarge},
        {directory.file("missing"), 100, rt::FileReadFailure::Missing},
        {directory.file("fifo"), 100, rt::FileReadFailure::NotRegular},
        {directory.path().string(), 100, rt::FileReadFailure::NotRegular},
        {"/dev/zero", 100, rt::FileReadFailure::NotRegular},
    };
    for (const Case& c : cases) {
        rt::FileReadFailure failure = rt::FileReadFailure::CannotRead;
        std::optional<std::string> bytes = rt::readRegularFile(c.path, c.bound, &failure);
        EXPECT_EQ(failure, c.failure) << c.path;
        EXPECT_EQ(bytes.has_value(), c.failure == rt::FileReadFailure::None) << c.path;
        if (bytes) {
            EXPECT_EQ(*bytes, "twelve bytes");
        }
    }
}

}  // namespace
