#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "runtime/window/units/palette_layout.h"

namespace rt {

QString transparentEntryText();
QString customEntryText();

// Colours as the runtime keeps them (0x00BBGGRR) and as Qt draws them.
QColor qColorOf(uint32_t color);
uint32_t colorOf(const QColor& color);

// The pop-up of a colour picker: 32 named swatches, the optional transparent entry
// and the custom entry that opens the colour dialog. It holds the mouse and the
// keyboard while open; it finishes exactly once, with colorChosen or cancelled, and
// then deletes itself.
class ColorPalette : public QWidget {
    Q_OBJECT
public:
    ColorPalette(QWidget* owner, uint32_t initialColor, bool transparentShown);

    // Shows the palette below the owner's bottom-left corner, on the screen.
    void popUp();

    const PaletteLayout& layout() const { return layout_; }
    int32_t markedEntry() const { return marked_; }
    int32_t highlightedEntry() const { return highlighted_; }
    // Chooses an entry as a click on it does; for assistive technology.
    void chooseEntry(int32_t entry) { accept(entry); }

signals:
    void colorChosen(uint32_t color);
    void cancelled();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void highlight(int32_t entry);
    void accept(int32_t entry);
    void chooseCustomColor();
    void finish();
    void paintSwatch(QPainter& painter, int32_t swatch) const;
    void paintTextEntry(QPainter& painter, int32_t entry, const QString& text) const;
    void paintEntryState(QPainter& painter, int32_t entry, QRect frame) const;

    QWidget* owner_;
    uint32_t initialColor_;
    bool transparentShown_;
    PaletteLayout layout_;
    int32_t marked_;
    int32_t highlighted_ = -1;
    bool finished_ = false;
};

}  // namespace rt
