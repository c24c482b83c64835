#include "runtime/window/units/color_button.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <qdrawutil.h>

#include "runtime/window/units/palette_entries.h"

namespace rt {
namespace {

constexpr int kEdge = 2;  // the sunken edge around the face

}  // namespace

ColorButton::ColorButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractButton::clicked, this, &ColorButton::popUpPalette);
}

void ColorButton::setColor(uint32_t color) {
    color_ = color;
    update();
}

void ColorButton::setTransparentAllowed(bool allowed) {
    transparentAllowed_ = allowed;
    update();
}

uint32_t ColorButton::shownColor() const {
    return color_ == kTransparentColor && !transparentAllowed_ ? 0 : color_;
}

QRect ColorButton::arrowRect() const {
    const QRect inside = rect().adjusted(kEdge, kEdge, -kEdge, -kEdge);
    const int width = std::min(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this), inside.width() / 2);
    return QRect(inside.right() + 1 - width, inside.top(), width, inside.height());
}

QRect ColorButton::colorRect() const {
    return QRect(QPoint(kEdge + 3, kEdge + 3), QPoint(arrowRect().left() - 4, height() - kEdge - 4));
}

QSize ColorButton::sizeHint() const { return QSize(52, 22); }

void ColorButton::popUpPalette() {
    if (palette_) return;
    palette_ = new ColorPalette(this, shownColor(), transparentAllowed_);
    connect(palette_, &ColorPalette::colorChosen, this, [this](uint32_t chosen) {
        palette_ = nullptr;
        setColor(chosen);
        emit colorChosen();
    });
    // The face never changed while the palette was open; only its arrow comes up.
    connect(palette_, &ColorPalette::cancelled, this, [this] {
        palette_ = nullptr;
        update();
    });
    palette_->popUp();
    update();
}

void ColorButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool enabled = isEnabled();
    painter.fillRect(rect(), enabled ? palette().color(QPalette::Base) : palette().color(QPalette::Button));

    const bool pushed = isDown() || (palette_ && palette_->isVisible());
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = arrowRect();
    qDrawWinButton(&painter, arrow.rect, palette(), pushed, &palette().brush(QPalette::Button));
    if (pushed) arrow.rect.translate(1, 1);
    arrow.rect.adjust(3, 3, -3, -3);
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, this);

    qDrawWinPanel(&painter, rect(), palette(), true);

    const QRect swatch = colorRect();
    const uint32_t shown = shownColor();
    painter.fillRect(swatch, shown == kTransparentColor ? QColor(Qt::white) : qColorOf(shown));
    painter.setPen(Qt::black);
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    if (shown == kTransparentColor) paintText(painter, transparentEntryText());

    // Drawn here rather than by the style, which may show focus only after a key.
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(swatch.adjusted(-2, -2, 1, 1));
    }
}

// Disabled text is embossed: a light copy one pixel down and right under the grey.
void ColorButton::paintText(QPainter& painter, const QString& text) const {
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    painter.save();
    painter.setClipRect(colorRect());
    if (isEnabled()) {
        painter.setPen(Qt::black);
    } else {
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(colorRect().translated(1, 1), flags, text);
        painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    }
    painter.drawText(colorRect(), flags, text);
    painter.restore();
}

}  // namespace rt
