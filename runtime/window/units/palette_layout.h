#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>

namespace rt {

// Where the palette's entries lie inside the pop-up: the optional transparent entry
// on top, the grid of swatches, the custom entry at the bottom. The margin is the
// system's edge width; swatches are 18 pixels, or more when wide edges need it.
class PaletteLayout {
public:
    PaletteLayout(int edge, QSize transparentText, QSize customText, bool transparentShown);

    int swatchSize() const { return swatchSize_; }
    int margin() const { return margin_; }
    QSize size() const { return size_; }
    QRect swatchRect(int32_t swatch) const;
    QRect transparentRect() const { return transparentRect_; }  // empty when not shown
    QRect customRect() const { return customRect_; }
    QRect entryRect(int32_t entry) const;
    int32_t entryAt(QPoint point) const;

private:
    int swatchSize_;
    int margin_;
    QSize size_;
    QPoint swatchOrigin_;
    QRect transparentRect_;
    QRect customRect_;
};

// Moves a pop-up left and up as far as it must to lie wholly on the screen, but
// never past the screen's left or top edge.
QPoint placedOnScreen(QRect wanted, QRect screen);

}  // namespace rt
