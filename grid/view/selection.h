#pragma once

#include <algorithm>
#include <cstdint>

#include "grid/model/cell_range.h"

namespace grid {

// The grid's selection: the anchor where it started and the end the user moved to.
// The selected rectangle runs between the two whatever their order.
struct Selection {
    int32_t anchorRow = 0;
    int32_t anchorColumn = 0;
    int32_t endRow = 0;
    int32_t endColumn = 0;

    CellRange range() const {
        int32_t top = std::min(anchorRow, endRow);
        int32_t left = std::min(anchorColumn, endColumn);
        return {top, left, std::max(anchorRow, endRow) - top + 1, std::max(anchorColumn, endColumn) - left + 1};
    }
    friend bool operator==(const Selection&, const Selection&) = default;
};

}  // namespace grid
