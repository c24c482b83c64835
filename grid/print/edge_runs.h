#pragma once

#include <QColor>
#include <QPoint>
#include <vector>

namespace grid {

class CellPainter;

// The cell edges of one page, joined where they continue one another in the same
// colour: a printer or a PDF file then gets one line per run of edges instead of one
// per cell edge, which is most of what a framed table costs to print.
class EdgeRuns {
public:
    // A horizontal or vertical edge, both end points included.
    void add(QPoint from, QPoint to, const QColor& color);
    // Draws the joined lines through the cell painter and forgets them.
    void drawAll(CellPainter& cells);

private:
    struct Run {
        bool vertical = false;
        QRgb color = 0;
        int across = 0;  // y of a horizontal line, x of a vertical one
        int start = 0;
        int end = 0;
    };
    std::vector<Run> runs_;
};

}  // namespace grid
