#include "runtime/window/units/color_palette.h"

#include <QApplication>
#include <QColorDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QToolTip>
#include <qdrawutil.h>

#include "runtime/platform/gbk_codec.h"
#include "runtime/window/focus_return.h"
#include "runtime/window/units/palette_accessible.h"
#include "runtime/window/units/palette_entries.h"
#include "runtime/window/units/palette_navigation.h"

namespace rt {
namespace {

QFont menuFont() { return QApplication::font("QMenu"); }

QSize textSize(const QFontMetrics& metrics, const QString& text) {
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

int edgeWidth(const QWidget* widget) { return widget->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, widget); }

}  // namespace

QString transparentEntryText() { return QStringLiteral("透明"); }
QString customEntryText() { return QStringLiteral("其它颜色..."); }

QColor qColorOf(uint32_t color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

uint32_t colorOf(const QColor& color) {
    return static_cast<uint32_t>(color.red()) | static_cast<uint32_t>(color.green()) << 8 |
           static_cast<uint32_t>(color.blue()) << 16;
}

ColorPalette::ColorPalette(QWidget* owner, uint32_t initialColor, bool transparentShown)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint),
      owner_(owner),
      initialColor_(initialColor),
      transparentShown_(transparentShown),
      layout_(edgeWidth(owner), textSize(QFontMetrics(menuFont()), transparentEntryText()),
              textSize(QFontMetrics(menuFont()), customEntryText()), transparentShown),
      marked_(markedEntryFor(initialColor, transparentShown)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    setFont(menuFont());
    setFixedSize(layout_.size());
}

void ColorPalette::popUp() {
    const QPoint below = owner_->mapToGlobal(QPoint(0, owner_->height()));
    QScreen* screen = QGuiApplication::screenAt(below);
    if (!screen) screen = owner_->screen();
    move(placedOnScreen(QRect(below, size()), screen->availableGeometry()));
    show();
}

bool ColorPalette::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int32_t entry = layout_.entryAt(help->pos());
        if (isSwatch(entry)) {
            QToolTip::showText(help->globalPos(), fromGbk(paletteColors()[entry].name), this, layout_.swatchRect(entry));
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

void ColorPalette::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false, &palette().brush(QPalette::Button));
    if (transparentShown_) paintTextEntry(painter, kTransparentEntry, transparentEntryText());
    for (int32_t swatch = 0; swatch < kSwatchCount; ++swatch) paintSwatch(painter, swatch);
    paintTextEntry(painter, kCustomEntry, customEntryText());
}

void ColorPalette::paintSwatch(QPainter& painter, int32_t swatch) const {
    const QRect cell = layout_.swatchRect(swatch);
    paintEntryState(painter, swatch, cell);
    const QRect sample = cell.adjusted(3, 3, -3, -3);
    painter.fillRect(sample, qColorOf(paletteColors()[swatch].color));
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(sample.adjusted(0, 0, -1, -1));
}

void ColorPalette::paintTextEntry(QPainter& painter, int32_t entry, const QString& text) const {
    const int margin = layout_.margin();
    const QRect box = layout_.entryRect(entry).adjusted(margin, margin, -margin, -margin);
    paintEntryState(painter, entry, box);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, text);
}

// The marked entry (the colour the palette opened with) looks pressed in; the
// highlighted one gets a frame in the selection colour.
void ColorPalette::paintEntryState(QPainter& painter, int32_t entry, QRect frame) const {
    if (entry == marked_) qDrawShadeRect(&painter, frame, palette(), true, 1, 0, &palette().brush(QPalette::Light));
    if (entry == highlighted_) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(frame).adjusted(1, 1, -1, -1));
    }
}

void ColorPalette::highlight(int32_t entry) {
    if (entry == highlighted_) return;
    highlighted_ = entry;
    update();
    announceHighlightedEntry(*this);
}

void ColorPalette::mouseMoveEvent(QMouseEvent* event) {
    highlight(rect().contains(event->position().toPoint()) ? layout_.entryAt(event->position().toPoint()) : kNoEntry);
}

void ColorPalette::mousePressEvent(QMouseEvent* event) {
    // A press on the picker that opened the palette only closes it. Where the
    // platform replays the press that closed a pop-up, the picker would otherwise
    // get it and open a new palette at once.
    const QPoint onOwner = owner_->mapFromGlobal(event->globalPosition().toPoint());
    if (!rect().contains(event->position().toPoint()) && owner_->rect().contains(onOwner)) {
        setAttribute(Qt::WA_NoMouseReplay);
    }
    QWidget::mousePressEvent(event);
}

void ColorPalette::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    if (!rect().contains(at)) {
        close();
        return;
    }
    // A release on a margin or an empty cell picks nothing; the palette stays open.
    const int32_t entry = layout_.entryAt(at);
    if (entry != kNoEntry) accept(entry);
}

void ColorPalette::keyPressEvent(QKeyEvent* event) {
    // Until the pointer or a key has moved the highlight, the keys work from the
    // marked entry, so Enter at once takes the colour the palette opened with.
    const int32_t current = highlighted_ != kNoEntry ? highlighted_ : marked_;
    switch (event->key()) {
        case Qt::Key_Left: highlight(entryAfterKey(current, PaletteKey::Left, transparentShown_)); break;
        case Qt::Key_Right: highlight(entryAfterKey(current, PaletteKey::Right, transparentShown_)); break;
        case Qt::Key_Up: highlight(entryAfterKey(current, PaletteKey::Up, transparentShown_)); break;
        case Qt::Key_Down: highlight(entryAfterKey(current, PaletteKey::Down, transparentShown_)); break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space: accept(current); break;
        case Qt::Key_Escape: close(); break;
        default: event->ignore(); break;
    }
}

// Closing without a choice (Escape, a click outside, the window going away) cancels.
void ColorPalette::hideEvent(QHideEvent*) {
    if (finished_) return;
    finished_ = true;
    emit cancelled();
}

void ColorPalette::accept(int32_t entry) {
    if (entry == kCustomEntry) {
        chooseCustomColor();
        return;
    }
    finish();
    emit colorChosen(entry == kTransparentEntry ? kTransparentColor : paletteColors()[entry].color);
}

void ColorPalette::finish() {
    finished_ = true;
    close();
}

// The dialog is modal with its own event loop: the palette gets out of its way
// first, and the picker or its window may be gone by the time the dialog returns.
void ColorPalette::chooseCustomColor() {
    finished_ = true;
    hide();
    const QColor initial = initialColor_ == kTransparentColor ? QColor(Qt::white) : qColorOf(initialColor_);
    QPointer<ColorPalette> self(this);
    FocusReturn focusReturn;
    QPointer<QColorDialog> dialog = new QColorDialog(initial, owner_);
    dialog->setWindowTitle(QStringLiteral("颜色"));
    const bool chosen = dialog->exec() == QDialog::Accepted && dialog;
    const QColor color = dialog ? dialog->selectedColor() : QColor();
    delete dialog;
    focusReturn.restore();
    if (!self) return;
    deleteLater();
    if (chosen) {
        emit colorChosen(colorOf(color));
    } else {
        emit cancelled();
    }
}

}  // namespace rt
