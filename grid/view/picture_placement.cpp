#include "grid/view/picture_placement.h"

#include <algorithm>
#include <cmath>

#include "grid/view/logical_scale.h"

#include "grid/view/text_alignment.h"

namespace grid {
namespace {

QRect centred(QSize size, const QRect& area) {
    return QRect(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2,
                 size.width(), size.height());
}

double fitFactor(QSize natural, const QRect& area) {
    return std::min(double(area.width()) / natural.width(), double(area.height()) / natural.height());
}

// Scaled sizes are cut to whole pixels, never rounded up past the cell.
QSize scaled(QSize natural, double factor) {
    return QSize(static_cast<int>(natural.width() * factor), static_cast<int>(natural.height() * factor));
}

PicturePlacement single(const QRect& target) { return {target, false, QSize(), QSizeF(1, 1)}; }

// Tiles start at the area's top-left, so a tile larger than the area shows only its
// top-left part, and only that part of the picture needs scaling.
PicturePlacement tiles(QSize tile, const QRect& area) {
    const QSize fitting = tile.boundedTo(area.size());
    return {area, true, fitting,
            QSizeF(double(fitting.width()) / tile.width(), double(fitting.height()) / tile.height())};
}

// Below one dot per inch.
constexpr int kLeastDotsPerMeter = 40;

}  // namespace

PicturePlacement placePicture(QSize natural, const QRect& area, int alignment) {
    if (natural.isEmpty() || area.isEmpty()) return {};
    switch (alignment) {
        case 10: return single(area);
        case 11: return single(centred(scaled(natural, std::min(fitFactor(natural, area), 1.0)), area));
        case 12: return single(centred(scaled(natural, fitFactor(natural, area)), area));
        case 13: return tiles(natural, area);
        case 14: return tiles(scaled(natural, fitFactor(natural, area)).expandedTo(QSize(1, 1)), area);
        default: break;
    }
    int left = area.left();
    switch (horizontalPlacement(alignment)) {
        case Placement::Centre: left += (area.width() - natural.width()) / 2; break;
        case Placement::End: left += area.width() - natural.width(); break;
        case Placement::Start: break;
    }
    int top = area.top();
    switch (verticalPlacement(alignment)) {
        case Placement::Centre: top += (area.height() - natural.height()) / 2; break;
        case Placement::End: top += area.height() - natural.height(); break;
        case Placement::Start: break;
    }
    return single(QRect(QPoint(left, top), natural));
}

int32_t naturalUnits(int pixels, int dotsPerMeter) {
    const double dotsPerUnit =
        dotsPerMeter >= kLeastDotsPerMeter ? dotsPerMeter / 10000.0 : 96.0 / LogicalScale::kUnitsPerInch;
    return static_cast<int32_t>(std::lround(pixels / dotsPerUnit));
}

}  // namespace grid
