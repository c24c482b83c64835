#pragma once

#include <QAbstractButton>
#include <QPointer>
#include <cstdint>

#include "runtime/window/units/color_palette.h"

namespace rt {

// The face of a colour picker: the current colour in a framed rectangle beside a
// drop-down arrow. A click (mouse or Space) opens the palette; every choice made
// there is stored and reported with colorChosen, also one that changes nothing.
class ColorButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit ColorButton(QWidget* parent);

    uint32_t color() const { return color_; }
    void setColor(uint32_t color);
    bool isTransparentAllowed() const { return transparentAllowed_; }
    void setTransparentAllowed(bool allowed);

    // The colour as the face shows it: without the transparent entry, no colour
    // shows as black.
    uint32_t shownColor() const;
    QRect colorRect() const;
    QRect arrowRect() const;
    ColorPalette* openPalette() const { return palette_; }

signals:
    void colorChosen();

protected:
    void paintEvent(QPaintEvent* event) override;
    QSize sizeHint() const override;

private:
    void popUpPalette();
    void paintText(QPainter& painter, const QString& text) const;

    uint32_t color_ = 0;
    bool transparentAllowed_ = false;
    QPointer<ColorPalette> palette_;
};

}  // namespace rt
