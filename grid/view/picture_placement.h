#pragma once

#include <QRect>
#include <QSize>
#include <QSizeF>
#include <cstdint>

namespace grid {

// Where a picture goes in its cell: the rectangle it is drawn into and, for the
// tiled modes, the size of each tile (tiles start at the rectangle's top-left) and
// the part of the picture each tile shows: all of it, or where a tile would be larger
// than the rectangle, only the part that fits, as a fraction of the picture's width
// and height.
struct PicturePlacement {
    QRect target;
    bool tiled = false;
    QSize tileSize;
    QSizeF tilePart{1, 1};
};

// Places a picture of natural size `natural` into `area` (both in device pixels) by
// the cell's alignment code: 10 stretch, 11 centre without enlarging, 12 scale and
// centre, 13 tiles at natural size, 14 scaled tiles; every other code puts the
// natural size where that alignment puts text. A tile is never larger than the area.
PicturePlacement placePicture(QSize natural, const QRect& area, int alignment);

// A picture's natural length in 0.1 mm: its pixels at its own resolution, and at 96
// dots per inch when it names none or less than one dot per inch, which no real
// picture claims and which would make a one-pixel picture metres long.
int32_t naturalUnits(int pixels, int dotsPerMeter);

}  // namespace grid
