#include "runtime/window/units/palette_layout.h"

#include <algorithm>

#include "runtime/window/units/palette_entries.h"

namespace rt {

PaletteLayout::PaletteLayout(int edge, QSize transparentText, QSize customText, bool transparentShown)
    : swatchSize_(std::max(18, 2 * edge + 7)), margin_(edge) {
    const QSize swatchArea(kPaletteColumns * swatchSize_ + 2 * margin_, kPaletteRows * swatchSize_ + 2 * margin_);
    int width = std::max(swatchArea.width(), customText.width() + 2 * margin_);
    if (transparentShown) width = std::max(width, transparentText.width() + 2 * margin_);
    int top = 0;
    if (transparentShown) {
        transparentRect_ = QRect(0, 0, width, transparentText.height() + 4 * margin_ + 2);
        top = transparentRect_.height();
    }
    // A palette widened for its texts keeps the swatches in the middle.
    swatchOrigin_ = QPoint((width - swatchArea.width()) / 2 + margin_, top + margin_);
    customRect_ = QRect(0, top + swatchArea.height(), width, customText.height() + 4 * margin_ + 2);
    size_ = QSize(width, customRect_.bottom() + 1);
}

QRect PaletteLayout::swatchRect(int32_t swatch) const {
    return QRect(swatchOrigin_.x() + swatch % kPaletteColumns * swatchSize_,
                 swatchOrigin_.y() + swatch / kPaletteColumns * swatchSize_, swatchSize_, swatchSize_);
}

QRect PaletteLayout::entryRect(int32_t entry) const {
    if (isSwatch(entry)) return swatchRect(entry);
    if (entry == kTransparentEntry) return transparentRect_;
    if (entry == kCustomEntry) return customRect_;
    return {};
}

int32_t PaletteLayout::entryAt(QPoint point) const {
    if (transparentRect_.contains(point)) return kTransparentEntry;
    if (customRect_.contains(point)) return kCustomEntry;
    const QPoint inGrid = point - swatchOrigin_;
    if (inGrid.x() < 0 || inGrid.y() < 0) return kNoEntry;
    const int column = inGrid.x() / swatchSize_;
    const int row = inGrid.y() / swatchSize_;
    if (column >= kPaletteColumns || row >= kPaletteRows) return kNoEntry;
    const int32_t swatch = row * kPaletteColumns + column;
    return swatch < kSwatchCount ? swatch : kNoEntry;
}

QPoint placedOnScreen(QRect wanted, QRect screen) {
    QPoint at = wanted.topLeft();
    at.setX(std::max(screen.left(), std::min(at.x(), screen.right() + 1 - wanted.width())));
    at.setY(std::max(screen.top(), std::min(at.y(), screen.bottom() + 1 - wanted.height())));
    return at;
}

}  // namespace rt
