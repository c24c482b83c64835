#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "grid/model/cell_range.h"
#include "grid/model/text_pattern.h"

namespace grid {

class DataSrc;

enum class SearchOrder { ByRows, ByColumns };

struct CellPosition {
    int32_t row = 0;
    int32_t column = 0;
    friend bool operator==(const CellPosition&, const CellPosition&) = default;
};

struct FoundCell {
    CellPosition cell;
    // The search went past the end of the area and on from its start.
    bool wrapped = false;
};

// Find in the cells of an area (clipped to the table), numbered from 0, in the order
// given: row by row, or column by column. Cells are looked at as SearchableCells
// reads them.

// The first matching cell after `from`, wrapping from the area's end to its start, so
// that `from` itself is looked at last; a `from` outside the area starts at the area's
// first cell. Nothing when no cell matches.
std::optional<FoundCell> findNext(const DataSrc& source, const CellRange& area, const TextPattern& pattern,
                                  SearchOrder order, CellPosition from);

// Every matching cell in the order.
std::vector<CellPosition> findAll(const DataSrc& source, const CellRange& area, const TextPattern& pattern,
                                  SearchOrder order);

// How many cells match: what a replacement would change, told before it is made.
int64_t countMatches(const DataSrc& source, const CellRange& area, const TextPattern& pattern);

}  // namespace grid
