#include "grid/provider/odbc/key_list.h"

#include <gtest/gtest.h>

#include <array>

using namespace grid::odbc;

namespace {

std::vector<std::u16string> rowOf(const KeyList& keys, size_t row) {
    std::vector<std::u16string> values;
    for (size_t column = 0; column < keys.columns(); ++column) {
        values.emplace_back(keys.value(row, column));
    }
    return values;
}

using Values = std::vector<std::u16string>;

}  // namespace

TEST(KeyList, RowsKeepTheirValuesThroughEraseAndReplace) {
    KeyList keys(2);
    const std::array<std::array<std::u16string_view, 2>, 4> rows = {{{u"1", u"甲"}, {u"22", u""}, {u"333", u"丙丙"}, {u"4", u"丁"}}};
    for (const auto& row : rows) {
        ASSERT_TRUE(keys.append(row));
    }
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(rowOf(keys, 1), (Values{u"22", u""}));

    keys.erase(1);
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(rowOf(keys, 0), (Values{u"1", u"甲"}));
    EXPECT_EQ(rowOf(keys, 1), (Values{u"333", u"丙丙"}));
    EXPECT_EQ(rowOf(keys, 2), (Values{u"4", u"丁"}));

    // A longer and then a shorter replacement shift the rows after it both ways.
    const std::array<std::u16string_view, 2> longer = {u"12345", u"长长的值"};
    ASSERT_TRUE(keys.replace(0, longer));
    EXPECT_EQ(rowOf(keys, 0), (Values{u"12345", u"长长的值"}));
    EXPECT_EQ(rowOf(keys, 1), (Values{u"333", u"丙丙"}));
    const std::array<std::u16string_view, 2> shorter = {u"", u"乙"};
    ASSERT_TRUE(keys.replace(1, shorter));
    EXPECT_EQ(rowOf(keys, 1), (Values{u"", u"乙"}));
    EXPECT_EQ(rowOf(keys, 2), (Values{u"4", u"丁"}));

    keys.erase(2);
    keys.erase(0);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(rowOf(keys, 0), (Values{u"", u"乙"}));
}

TEST(KeyList, ValuesOfTheWrongWidthAreRefused) {
    KeyList keys(2);
    const std::array<std::u16string_view, 1> one = {u"1"};
    EXPECT_FALSE(keys.append(one));
    EXPECT_EQ(keys.size(), 0u);
    const std::array<std::u16string_view, 2> two = {u"1", u"2"};
    ASSERT_TRUE(keys.append(two));
    EXPECT_FALSE(keys.replace(0, one));
    EXPECT_EQ(rowOf(keys, 0), (Values{u"1", u"2"}));
}
