#pragma once

#include <cstdint>
#include <string_view>

#include "grid/model/cell.h"

namespace grid {

class DataProvider;

// Reads the texts that find and replace look at, straight from the provider's cells
// when it keeps them (a million cells are read without a copy), else one copy at a
// time. Only text cells that show count: the hidden cells of a merged block are
// passed over, so a block counts once by its first cell, and picture and data cells
// (whose text, if any, is a picture's file name) are never matched or changed.
class SearchableCells {
public:
    explicit SearchableCells(const DataProvider& provider) : provider_(provider) {}

    // The cell's text, empty when it is not looked at. Valid until the next call or
    // the next change of the table.
    std::string_view textAt(int32_t row, int32_t column);

private:
    const DataProvider& provider_;
    Cell copy_;
};

}  // namespace grid
