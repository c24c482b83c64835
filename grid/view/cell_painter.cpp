#include "grid/view/cell_painter.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>
#include <cmath>
#include <string>

#include "grid/view/cell_font.h"
#include "grid/view/picture_placement.h"
#include "grid/view/text_alignment.h"
#include "runtime/platform/gbk_codec.h"

namespace grid {
namespace {

constexpr uint32_t kNoColor = 0xFF000000;
constexpr uint32_t kFixedGridColor = 0x808080;
constexpr uint32_t kBodyGridColor = 0xC0C0C0;

Qt::Alignment horizontalFlag(int code) {
    switch (horizontalPlacement(code)) {
        case Placement::Centre: return Qt::AlignHCenter;
        case Placement::End: return Qt::AlignRight;
        case Placement::Start: break;
    }
    return Qt::AlignLeft;
}

Qt::Alignment verticalFlag(int code) {
    switch (verticalPlacement(code)) {
        case Placement::Centre: return Qt::AlignVCenter;
        case Placement::End: return Qt::AlignBottom;
        case Placement::Start: break;
    }
    return Qt::AlignTop;
}

std::string displayText(const Cell& cell) {
    std::string_view text = cell.text();
    if (cell.flags() & CellFlags::kMasked) return std::string(text.size(), '*');
    return std::string(text);
}

// Stored texts end their lines with CR LF (the editor writes them so); Qt breaks at
// LF only.
QString withQtLineBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QRect shrunk(const QRect& rect, int dx, int dy) { return rect.adjusted(dx, dy, -dx, -dy); }

// Tiles of the placement's size, each showing the placement's part of the picture. A
// tile smaller than its part is shrunk once, smoothly; a larger one is enlarged by the
// painter while it fills, so no image larger than the picture is ever made, whatever
// the device's resolution or the size of the cell.
void drawTiles(QPainter& painter, const QImage& image, const PicturePlacement& placement) {
    const QSizeF part(image.width() * placement.tilePart.width(), image.height() * placement.tilePart.height());
    const QSize partPixels = QSize(static_cast<int>(std::ceil(part.width())), static_cast<int>(std::ceil(part.height())))
                                 .expandedTo(QSize(1, 1))
                                 .boundedTo(image.size());
    QImage tile = partPixels == image.size() ? image : image.copy(QRect(QPoint(0, 0), partPixels));
    const QSize shrunkTo = placement.tileSize.boundedTo(partPixels);
    if (shrunkTo != partPixels) tile = tile.scaled(shrunkTo, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double scaleX = shrunkTo.width() < partPixels.width() ? 1.0 : placement.tileSize.width() / part.width();
    const double scaleY = shrunkTo.height() < partPixels.height() ? 1.0 : placement.tileSize.height() / part.height();
    painter.save();
    painter.setClipRect(placement.target, Qt::IntersectClip);
    painter.translate(placement.target.topLeft());
    painter.scale(scaleX, scaleY);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, scaleX != 1.0 || scaleY != 1.0);
    painter.setBrushOrigin(0, 0);
    painter.fillRect(QRectF(0, 0, placement.target.width() / scaleX, placement.target.height() / scaleY), QBrush(tile));
    painter.restore();
}

// A picture too large to decode shows where it would be: a thin frame around the
// cell's picture area and a word saying why it is empty.
void drawOversizeFrame(QPainter& painter, const QRect& area, const QColor& color, const QFont& font) {
    painter.setPen(QPen(color, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.setFont(font);
    painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, QStringLiteral("图片过大"));
}

}  // namespace

void drawSolidLine(QPainter& painter, QPoint from, QPoint to, const QColor& color) {
    if (from.x() == to.x() || from.y() == to.y()) {
        painter.fillRect(QRect(from, to).normalized(), color);
        return;
    }
    painter.setPen(QPen(color, 0));
    painter.drawLine(from, to);
}

CellPainter::CellPainter(QPainter& painter, const CellPaintOptions& options, CellPictures& pictures)
    : painter_(painter), options_(options), pictures_(pictures) {}

QColor CellPainter::backgroundOf(const Cell& cell, bool inFixedArea) const {
    if (inFixedArea && options_.printMode == 0) return QGuiApplication::palette().color(QPalette::Button);
    return colorOf(cell.backColor() == kNoColor ? options_.gridBackColor : cell.backColor());
}

void CellPainter::drawLine(QPoint from, QPoint to, const QColor& color) {
    if (options_.printMode != 2) {
        drawSolidLine(painter_, from, to, color);
        return;
    }
    QPen pen(color, 0, Qt::DashDotLine);
    painter_.setPen(pen);
    painter_.drawLine(from, to);
}

std::optional<QColor> CellPainter::edgeColor(uint32_t flags, CellEdge edge, bool inFixedArea) const {
    static constexpr uint32_t kBorderBits[] = {CellFlags::kLeftLine, CellFlags::kTopLine, CellFlags::kRightLine,
                                               CellFlags::kBottomLine};
    if ((flags & kBorderBits[static_cast<int>(edge)]) || options_.addTableLines) return colorOf(options_.lineColor);
    if (options_.gridLinesShown && options_.printMode == 0) {
        return colorOf(inFixedArea ? kFixedGridColor : kBodyGridColor);
    }
    return std::nullopt;
}

std::pair<QPoint, QPoint> CellPainter::edgeEnds(CellEdge edge, const QRect& cell) {
    const int left = cell.left(), top = cell.top();
    const int right = cell.right() + 1, bottom = cell.bottom() + 1;
    switch (edge) {
        case CellEdge::Left: return {{left, top}, {left, bottom}};
        case CellEdge::Top: return {{left, top}, {right, top}};
        case CellEdge::Right: return {{right, top}, {right, bottom}};
        case CellEdge::Bottom: break;
    }
    return {{left, bottom}, {right, bottom}};
}

void CellPainter::drawEdge(uint32_t flags, CellEdge edge, const QRect& cell, bool inFixedArea) {
    std::optional<QColor> color = edgeColor(flags, edge, inFixedArea);
    if (!color) return;
    auto [from, to] = edgeEnds(edge, cell);
    drawLine(from, to, *color);
}

void CellPainter::drawContents(const Cell& cell, const QRect& block, int32_t row, int32_t column) {
    CellKind kind = cell.kind();
    if (kind == CellKind::Binary) return;
    if (kind == CellKind::Text) drawDiagonals(cell.flags(), block);
    QRect area = shrunk(block, options_.scale.pixelsX(cell.margin()), options_.scale.pixelsY(cell.margin()));
    if (area.isEmpty()) return;
    if (kind == CellKind::Text) {
        drawText(cell, area, block);
        return;
    }
    painter_.save();
    if (options_.clipContents) painter_.setClipRect(area, Qt::IntersectClip);
    drawPicture(cell, area, row, column);
    painter_.restore();
}

void CellPainter::drawDiagonals(uint32_t flags, const QRect& block) {
    if (!(flags & (CellFlags::kSingleDiagonal | CellFlags::kCrossLines | CellFlags::kDoubleDiagonal))) return;
    const QColor color = colorOf(options_.lineColor);
    const QPoint topLeft = block.topLeft();
    const QPoint bottomRight(block.right() + 1, block.bottom() + 1);
    painter_.save();
    painter_.setPen(QPen(color, 0, options_.printMode == 2 ? Qt::DashDotLine : Qt::SolidLine));
    if (flags & CellFlags::kSingleDiagonal) {
        painter_.drawLine(topLeft, bottomRight);
    } else if (flags & CellFlags::kCrossLines) {
        painter_.drawLine(topLeft, bottomRight);
        painter_.drawLine(QPoint(bottomRight.x(), topLeft.y()), QPoint(topLeft.x(), bottomRight.y()));
    } else if (flags & CellFlags::kDoubleDiagonal) {
        painter_.drawLine(topLeft, QPoint(bottomRight.x(), (topLeft.y() + bottomRight.y()) / 2));
        painter_.drawLine(topLeft, QPoint((topLeft.x() + bottomRight.x()) / 2, bottomRight.y()));
    }
    painter_.restore();
}

void CellPainter::drawText(const Cell& cell, const QRect& area, const QRect& block) {
    const std::string bytes = displayText(cell);
    if (bytes.empty()) return;
    const QString text = rt::fromGbk(bytes);
    const QFont font = cellFont(cell.fontNameView(), options_.scale.pixelsY(std::abs(cell.fontSize())), cell.flags());
    const QFontMetrics metrics(font);
    const int code = static_cast<int>(cell.flags() & CellFlags::kAlignmentMask);
    const bool breaksLines = text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
    const bool oneLine = !breaksLines && metrics.horizontalAdvance(text) < area.width();
    // A line that fits its cell needs no clipping (its glyphs may reach into the
    // cell's margin, never beyond the cell); on a printed page that saves a clip path
    // per cell, most of the page's size.
    const bool clipped = options_.clipContents && !(oneLine && metrics.height() <= block.height());
    if (clipped) {
        painter_.save();
        painter_.setClipRect(area, Qt::IntersectClip);
    }
    painter_.setFont(font);
    painter_.setPen(colorOf(cell.textColor()));
    if (oneLine) {
        // Qt would clip a line taller than the area by itself.
        const int clipping = clipped ? 0 : Qt::TextDontClip;
        painter_.drawText(area, int(horizontalFlag(code) | verticalFlag(code) | Qt::TextSingleLine) | clipping, text);
    } else {
        painter_.drawText(area, int(horizontalFlag(code) | Qt::AlignTop | Qt::TextWordWrap), withQtLineBreaks(text));
    }
    if (clipped) painter_.restore();
}

void CellPainter::drawPicture(const Cell& cell, const QRect& area, int32_t row, int32_t column) {
    const CellPicture& picture = pictures_.pictureOf(row, column, cell);
    if (picture.state == PictureState::TooLarge) {
        drawOversizeFrame(painter_, area, colorOf(cell.textColor()),
                          cellFont(cell.fontNameView(), options_.scale.pixelsY(std::abs(cell.fontSize())), cell.flags()));
        return;
    }
    const QImage& image = picture.image;
    if (picture.state != PictureState::Decoded || image.isNull()) return;
    // A picture's natural size is its size at its own resolution, shown at the grid's
    // scale like every other length.
    QSize natural(options_.scale.pixelsX(naturalUnits(image.width(), image.dotsPerMeterX())),
                  options_.scale.pixelsY(naturalUnits(image.height(), image.dotsPerMeterY())));
    PicturePlacement placement = placePicture(natural.expandedTo(QSize(1, 1)), area,
                                              static_cast<int>(cell.flags() & CellFlags::kAlignmentMask));
    if (placement.target.isEmpty()) return;
    if (placement.tiled) {
        drawTiles(painter_, image, placement);
    } else {
        painter_.drawImage(placement.target, image);
    }
}

}  // namespace grid
