#pragma once

#include <QPointF>
#include <cstdint>
#include <vector>

#include "grid/print/print_plan.h"
#include "grid/view/cell_pictures.h"

class QPainter;

namespace grid {

class CellPainter;
class DataSrc;
class EdgeRuns;
struct LogicalScale;

// How a device shows the paper: device pixels per 0.1 mm of paper (the printer's
// resolution, or the preview's zoom) and where the printable area's top-left corner
// lies in device pixels.
struct PageDevice {
    double pixelsPerUnitX = 1;
    double pixelsPerUnitY = 1;
    QPointF origin;
};

// Draws the pages of a print plan: the title rows and the page's rows through the
// cell painter in print mode, at the plan's scale inside the print rectangle, and the
// page number. The preview, the printer and PDF all draw through it.
class PageRenderer {
public:
    PageRenderer(const DataSrc& source, const PrintPlan& plan, uint32_t lineColor);

    // Draws plan.pages[page]. The table is clipped to the print rectangle; the page
    // number lies outside it.
    void drawPage(QPainter& painter, size_t page, const PageDevice& device);

private:
    // A run of table rows printed one below the other: the title rows, or the body.
    struct RowRun {
        int32_t first = 0;
        int32_t last = -1;
        std::vector<int> tops;  // device y of each row's top edge, and one past the last
    };

    void drawBackgrounds(QPainter& painter, const RowRun& run, const std::vector<int>& lefts, CellPainter& cells);
    void drawCells(const RowRun& run, const std::vector<int>& lefts, bool firstOnPage, CellPainter& cells,
                   EdgeRuns& edges);
    void drawRepeatedLastRow(const RowRun& body, const std::vector<int>& lefts, const LogicalScale& scale,
                             const CellPainter& cells, EdgeRuns& edges);
    void drawPageNumber(QPainter& painter, int32_t number, const PageDevice& device);

    const DataSrc& source_;
    const PrintPlan& plan_;
    uint32_t lineColor_;
    CellPictures pictures_;
};

}  // namespace grid
