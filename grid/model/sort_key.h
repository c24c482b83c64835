#pragma once

#include <cstdint>
#include <string_view>

#include "grid/model/cell.h"

namespace grid {

// What a cell's content weighs in a sort. Numbers compare by value and dates by time,
// whether the cell's input type made them or they were typed into a normal cell;
// other texts compare by their GBK bytes, which puts the common characters in pinyin
// order. Numbers come before dates and dates before texts; empty cells (and picture
// and data cells, which hold no text) come last in either direction.
struct SortKey {
    enum class Rank : uint8_t { Number, Date, Text, Empty };
    Rank rank = Rank::Empty;
    // The number, or the date as days since 1899-12-30 with the time as a fraction.
    double value = 0;
    // Points into the cell's own text: the key lives no longer than the cell.
    std::string_view text;
};

SortKey sortKeyOf(const Cell& cell);

// Negative when a comes first, 0 when they weigh the same, positive when b does.
int compareSortKeys(const SortKey& a, const SortKey& b, bool descending);

}  // namespace grid
