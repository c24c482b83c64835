#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <utility>

#include "grid/model/cell.h"
#include "grid/model/cell_range.h"
#include "grid/view/picture_cache.h"

namespace grid {

// The pictures of a grid's (or a printout's) cells. The grid only ever sees copies of
// cells, so what each cell position shows is remembered here, as the key of its
// picture in the decoded-picture cache, until the grid drops it on a notice that
// changes content or moves cells. The decoded pictures themselves live in the cache,
// shared with every other view and within its limit.
class CellPictures {
public:
    explicit CellPictures(PictureCache& cache = PictureCache::shared()) : cache_(cache) {}

    // The picture of a kind-2 cell (read from the regular file its text names,
    // relative to the current directory) or of a kind-3 cell (its bytes); nothing for
    // every other cell and for anything that is not a picture. The reference holds
    // until the next call.
    const CellPicture& pictureOf(int32_t row, int32_t column, const Cell& cell);

    void forget(const CellRange& range);
    void forgetAll() { keys_.clear(); }
    size_t size() const { return keys_.size(); }

private:
    PictureCache& cache_;
    // No key: the cell shows no picture.
    std::map<std::pair<int32_t, int32_t>, std::optional<PictureKey>> keys_;
};

}  // namespace grid
