#include "runtime/window/units/toolbar_images.h"

#include <QPainter>
#include <QPixmap>
#include <map>

namespace rt {
namespace {

const std::map<int, const char*>& themeNames() {
    static const std::map<int, const char*> names = {
        {0, "document-new"},    {1, "document-open"},         {3, "document-print-preview"},
        {4, "document-print"},  {5, "edit-cut"},              {6, "document-save-as"},
        {7, "document-save"},   {8, "edit-copy"},             {10, "edit-paste"},
        {15, "preferences-desktop-font"}, {21, "document-properties"}, {23, "appointment-new"},
        {27, "accessories-calculator"},   {45, "image-x-generic"},     {46, "edit-find-replace"},
        {48, "format-justify-center"},    {50, "input-keyboard"},      {72, "edit-find"},
        {102, "edit-clear"},    {103, "edit-delete"},
    };
    return names;
}

// What the drawn images show on a small table.
enum class Glyph { AddRow, InsertRow, InsertColumn, InsertBoth, DeleteRow, DeleteColumn, EqualHeights,
                   EqualWidths, Merge, Split, TextColor, BackColor, Lines };

const std::map<int, Glyph>& drawnGlyphs() {
    static const std::map<int, Glyph> glyphs = {
        {35, Glyph::AddRow},       {36, Glyph::InsertRow},   {56, Glyph::InsertColumn}, {75, Glyph::InsertBoth},
        {37, Glyph::DeleteRow},    {57, Glyph::DeleteColumn}, {59, Glyph::EqualHeights}, {60, Glyph::EqualWidths},
        {17, Glyph::Merge},        {18, Glyph::Split},       {30, Glyph::TextColor},    {31, Glyph::BackColor},
        {49, Glyph::Lines},
    };
    return glyphs;
}

// Drawn on a grid of 16 x 16 and scaled to the pixels asked for.
QPixmap drawnAt(Glyph glyph, int pixels) {
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.scale(pixels / 16.0, pixels / 16.0);
    const QColor ink(0x40, 0x40, 0x40);
    const QColor add(0x2e, 0x9e, 0x2e);
    const QColor remove(0xcc, 0x22, 0x22);
    const QColor accent(0x34, 0x65, 0xa4);
    auto table = [&] {
        painter.setPen(ink);
        painter.fillRect(1, 3, 13, 10, Qt::white);
        painter.drawRect(1, 3, 13, 10);
        painter.drawLine(1, 8, 14, 8);
        painter.drawLine(7, 3, 7, 13);
    };
    auto band = [&](QRect area, QColor color) { painter.fillRect(area, color); };
    switch (glyph) {
        case Glyph::AddRow: table(); band({2, 11, 12, 2}, add); break;
        case Glyph::InsertRow: table(); band({2, 7, 12, 3}, add); break;
        case Glyph::InsertColumn: table(); band({6, 4, 3, 9}, add); break;
        case Glyph::InsertBoth: table(); band({2, 7, 12, 2}, add); band({6, 4, 2, 9}, add); break;
        case Glyph::DeleteRow: table(); band({2, 7, 12, 3}, remove); break;
        case Glyph::DeleteColumn: table(); band({6, 4, 3, 9}, remove); break;
        case Glyph::EqualHeights:
            table();
            painter.setPen(accent);
            painter.drawLine(15, 3, 15, 13);
            break;
        case Glyph::EqualWidths:
            table();
            painter.setPen(accent);
            painter.drawLine(1, 15, 14, 15);
            break;
        case Glyph::Merge: table(); band({2, 4, 12, 4}, accent); break;
        case Glyph::Split:
            table();
            painter.setPen(QPen(accent, 1, Qt::DashLine));
            painter.drawLine(7, 1, 7, 15);
            break;
        case Glyph::TextColor: {
            QFont font = painter.font();
            font.setPixelSize(12);
            font.setBold(true);
            painter.setFont(font);
            painter.setPen(ink);
            painter.drawText(QRect(0, 0, 16, 12), Qt::AlignCenter, QStringLiteral("A"));
            band({2, 13, 12, 3}, remove);
            break;
        }
        case Glyph::BackColor:
            painter.fillRect(2, 2, 12, 12, QColor(0xfc, 0xe9, 0x4f));
            painter.setPen(ink);
            painter.drawRect(2, 2, 11, 11);
            break;
        case Glyph::Lines:
            painter.setPen(QPen(ink, 1, Qt::DotLine));
            painter.drawRect(1, 1, 13, 13);
            painter.setPen(QPen(accent, 2));
            painter.drawLine(1, 14, 14, 14);
            painter.drawLine(1, 1, 1, 14);
            break;
    }
    return pixmap;
}

// Each size drawn afresh, so that a screen scaled to 150 % or 200 % shows sharp
// lines rather than a 16-pixel image blown up.
QIcon drawn(Glyph glyph) {
    QIcon icon;
    for (int pixels : {16, 24, 32, 48}) icon.addPixmap(drawnAt(glyph, pixels));
    return icon;
}

}  // namespace

QIcon toolbarImage(int imageNumber) {
    if (auto glyph = drawnGlyphs().find(imageNumber); glyph != drawnGlyphs().end()) return drawn(glyph->second);
    if (auto name = themeNames().find(imageNumber); name != themeNames().end()) {
        return QIcon::fromTheme(QString::fromLatin1(name->second));
    }
    return {};
}

}  // namespace rt
