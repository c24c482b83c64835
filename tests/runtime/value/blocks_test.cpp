#include "runtime/value/blocks.h"

#include <gtest/gtest.h>

#include <cstring>

#include "runtime/value/memory.h"
#include "runtime/value/owned.h"
#include "tests/runtime/error/report_in_child.h"

namespace {

using rt::Value;
using rt::ValueType;

uint32_t wordAt(const void* block, size_t index) {
    uint32_t word;
    std::memcpy(&word, static_cast<const char*>(block) + 4 * index, 4);
    return word;
}

TEST(ByteSetBlock, LayoutAndEmptyForm) {
    EXPECT_EQ(rt::makeByteSet(std::string_view()), nullptr);
    EXPECT_TRUE(rt::byteSetBytes(nullptr).empty());

    rt::OwnedBlock block(Value::byteSet(rt::makeByteSet(std::string_view("\x01\x00\x02", 3))));
    EXPECT_EQ(wordAt(block.get(), 0), 1u);
    EXPECT_EQ(wordAt(block.get(), 1), 3u);
    auto bytes = rt::byteSetBytes(block.get());
    ASSERT_EQ(bytes.size(), 3u);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(bytes[2], 2);
}

TEST(TextBlock, EmptyTextIsNull) {
    EXPECT_EQ(rt::makeText(""), nullptr);
    EXPECT_EQ(rt::textOf(nullptr), "");
    rt::OwnedText text(Value::text(rt::makeText("行数")));
    EXPECT_EQ(text.view(), "行数");
}

TEST(ArrayBlock, LayoutIsRowMajorAfterTheDimensions) {
    const uint32_t dimensions[] = {2, 3};
    void* array = rt::makeArray(4, dimensions);
    rt::OwnedBlock owner(Value::array(array, ValueType::Integer));
    EXPECT_EQ(wordAt(array, 0), 2u);
    EXPECT_EQ(wordAt(array, 1), 2u);
    EXPECT_EQ(wordAt(array, 2), 3u);
    EXPECT_EQ(rt::arrayElementCount(array), 6u);
    EXPECT_EQ(rt::arrayBlockSize(array, 4), 12u + 24u);
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(wordAt(array, 3 + i), 0u);

    const int32_t secondRowFirstColumn[] = {2, 1};
    EXPECT_EQ(rt::arrayElementAt(array, 4, secondRowFirstColumn), rt::arrayElements(array) + 3 * 4);
    const int32_t flatSixth[] = {6};
    EXPECT_EQ(rt::arrayElementAt(array, 4, flatSixth), rt::arrayElements(array) + 5 * 4);
}

TEST(ArrayBlock, BadIndicesAreRuntimeErrors) {
    const uint32_t dimensions[] = {2, 3};
    void* array = rt::makeArray(4, dimensions);
    rt::OwnedBlock owner(Value::array(array, ValueType::Integer));
    const int32_t zero[] = {0};
    const int32_t pastTheEnd[] = {7};
    const int32_t pastARow[] = {3, 1};
    const int32_t threeIndices[] = {1, 1, 1};
    EXPECT_EQ(reportInChild([&] { rt::arrayElementAt(array, 4, zero); }),
              rt::composeRuntimeErrorText("数组成员引用下标必须大于等于1", 4));
    EXPECT_EQ(reportInChild([&] { rt::arrayElementAt(array, 4, pastTheEnd); }),
              rt::composeRuntimeErrorText("数组成员引用下标超出定义范围", 1));
    EXPECT_EQ(reportInChild([&] { rt::arrayElementAt(array, 4, pastARow); }),
              rt::composeRuntimeErrorText("数组成员引用下标超出定义范围", 1));
    EXPECT_EQ(reportInChild([&] { rt::arrayElementAt(array, 4, threeIndices); }),
              rt::composeRuntimeErrorText("引用数组成员时维数不为1且不等于该数组目前所具有的维数", 3));
}

TEST(ArrayBlock, ArraysOfTextsFreeTheirElements) {
    const uint32_t size = 2;
    void* array = rt::makeArray(sizeof(void*), {&size, 1});
    char* texts[2] = {rt::makeText("甲"), rt::makeText("乙")};
    std::memcpy(rt::arrayElements(array), texts, sizeof texts);
    // Under LeakSanitizer a missed element shows up as a leak of this test.
    rt::OwnedBlock owner(Value::array(array, ValueType::Text));
}

TEST(MakeArrayWritable, CopiesOnlyArraysInConstantData) {
    alignas(4) static const uint32_t constantArray[] = {1, 3, 10, 20, 30};
    rt::registerReadOnlyRange(constantArray, sizeof constantArray);

    void* variable = const_cast<uint32_t*>(constantArray);
    rt::makeArrayWritable(4, &variable);
    ASSERT_NE(variable, constantArray);
    rt::OwnedBlock owner(Value::array(variable, ValueType::Integer));
    EXPECT_EQ(std::memcmp(variable, constantArray, sizeof constantArray), 0);
    const int32_t second[] = {2};
    int32_t changed = 99;
    std::memcpy(rt::arrayElementAt(variable, 4, second), &changed, 4);
    EXPECT_EQ(constantArray[3], 20u);

    void* heapArray = variable;
    rt::makeArrayWritable(4, &variable);
    EXPECT_EQ(variable, heapArray);
}

}  // namespace
