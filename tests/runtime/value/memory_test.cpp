#include "runtime/value/memory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "tests/runtime/error/report_in_child.h"

namespace {

alignas(8) const char constants[16] = "constant-data!";

class ReadOnlyRangeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { rt::registerReadOnlyRange(constants, sizeof constants); }
};

TEST_F(ReadOnlyRangeTest, ReleaseIgnoresConstants) {
    // Freeing a non-heap pointer would be caught by AddressSanitizer.
    rt::release(const_cast<char*>(constants));
    rt::release(const_cast<char*>(constants + 5));
    rt::release(nullptr);
    EXPECT_TRUE(rt::isInReadOnlyRange(constants + 15));
    EXPECT_FALSE(rt::isInReadOnlyRange(constants + 16));
}

TEST_F(ReadOnlyRangeTest, ReallocateCopiesOutOfConstants) {
    char* grown = static_cast<char*>(rt::reallocate(const_cast<char*>(constants + 9), 64));
    EXPECT_FALSE(rt::isInReadOnlyRange(grown));
    // Only the bytes left in the range are copied: "data!" and its NUL, 7 bytes.
    EXPECT_EQ(std::memcmp(grown, "data!\0", 7), 0);
    rt::release(grown);

    char* shrunk = static_cast<char*>(rt::reallocate(const_cast<char*>(constants), 4));
    EXPECT_EQ(std::memcmp(shrunk, "cons", 4), 0);
    rt::release(shrunk);
}

TEST(Memory, ReallocateKeepsContentsAndNullAllocates) {
    char* block = static_cast<char*>(rt::reallocate(nullptr, 3));
    std::memcpy(block, "abc", 3);
    block = static_cast<char*>(rt::reallocate(block, 4096));
    EXPECT_EQ(std::memcmp(block, "abc", 3), 0);
    rt::release(block);
}

TEST(Memory, FailedAllocationIsARuntimeError) {
    const size_t impossible = SIZE_MAX / 2;
    EXPECT_EQ(reportInChild([&] { rt::allocate(impossible); }),
              rt::composeRuntimeErrorText("分配 " + std::to_string(impossible) + " 字节内存失败!", 0));
}

}  // namespace
