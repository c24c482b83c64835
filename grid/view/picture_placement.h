#pragma once

#include <QRect>
#include <QSize>

namespace grid {

// Where a picture goes in its cell: the rectangle it is drawn into and, for the
// tiled modes, the size of each tile (tiles start at the rectangle's top-left).
struct PicturePlacement {
    QRect target;
    bool tiled = false;
    QSize tileSize;
};

// Places a picture of natural size `natural` into `area` (both in device pixels) by
// the cell's alignment code: 10 stretch, 11 centre without enlarging, 12 scale and
// centre, 13 tiles at natural size, 14 scaled tiles; every other code puts the
// natural size where that alignment puts text.
PicturePlacement placePicture(QSize natural, const QRect& area, int alignment);

}  // namespace grid
