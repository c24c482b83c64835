#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>
#include <cstdint>
#include <optional>
#include <utility>

#include "grid/model/cell.h"
#include "grid/view/cell_pictures.h"
#include "grid/view/logical_scale.h"

namespace grid {

// How cells are drawn: on screen, or by the print path.
struct CellPaintOptions {
    LogicalScale scale;
    uint32_t gridBackColor = 0xFFFFFF;
    uint32_t lineColor = 0;
    bool gridLinesShown = true;
    // The table's "add table lines" page setting: every edge gets the border pen.
    bool addTableLines = false;
    // 0 on screen; the print path sets 1, or 2 for dash-dotted lines.
    int printMode = 0;
    // The print path may let text and pictures run past their cells.
    bool clipContents = true;
};

enum class CellEdge { Left, Top, Right, Bottom };

// Draws one cell's background, contents and edges. Rectangles are the pixels a cell
// (or its whole merged block) covers; its right and bottom lines lie on the edges
// just past them, on the first pixel of the next cell.
class CellPainter {
public:
    CellPainter(QPainter& painter, const CellPaintOptions& options, CellPictures& pictures);

    // A cell without a colour shows the grid's background; on screen the fixed rows
    // and columns always look like buttons.
    QColor backgroundOf(const Cell& cell, bool inFixedArea) const;
    // Diagonals, then text or picture, inside the block's rectangle. row and column
    // name the cell whose picture is meant.
    void drawContents(const Cell& cell, const QRect& block, int32_t row, int32_t column);
    // One edge of a cell's rectangle, drawn one pixel past its end so that corners
    // close; nothing when the rules give no pen for it.
    void drawEdge(uint32_t flags, CellEdge edge, const QRect& cell, bool inFixedArea);
    // The parts of drawEdge, for callers that join the edges of many cells into
    // longer lines: the pen colour the rules give an edge (none when it is not
    // drawn), its two end points, and a line in that colour and the painter's style.
    std::optional<QColor> edgeColor(uint32_t flags, CellEdge edge, bool inFixedArea) const;
    static std::pair<QPoint, QPoint> edgeEnds(CellEdge edge, const QRect& cell);
    void drawLine(QPoint from, QPoint to, const QColor& color);

private:
    void drawDiagonals(uint32_t flags, const QRect& block);
    void drawText(const Cell& cell, const QRect& area, const QRect& block);
    void drawPicture(const Cell& cell, const QRect& area, int32_t row, int32_t column);

    QPainter& painter_;
    CellPaintOptions options_;
    CellPictures& pictures_;
};

// Draws a straight line between two points, both included.
void drawSolidLine(QPainter& painter, QPoint from, QPoint to, const QColor& color);

}  // namespace grid
