#pragma once

#include <QImage>
#include <cstdint>
#include <map>
#include <utility>

#include "grid/model/cell.h"
#include "grid/model/cell_range.h"

namespace grid {

// The pictures of a grid's cells, decoded on first display and kept until the cell's
// content changes. The grid only ever sees copies of cells, so the decoded pictures
// live here, per cell position, and the grid drops them on every notice that changes
// content or moves cells.
class CellPictures {
public:
    // The picture of a kind-2 cell (read from the file its text names, relative to
    // the current directory) or of a kind-3 cell (its bytes). A null image for every
    // other cell and for anything that is not a picture.
    const QImage& pictureOf(int32_t row, int32_t column, const Cell& cell);

    void forget(const CellRange& range);
    void forgetAll() { pictures_.clear(); }
    size_t size() const { return pictures_.size(); }

private:
    std::map<std::pair<int32_t, int32_t>, QImage> pictures_;
};

}  // namespace grid
