#include "grid/print/page_renderer.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "grid/model/data_source.h"
#include "grid/view/cell_font.h"
#include "grid/view/cell_painter.h"
#include "grid/view/merged_blocks.h"
#include "grid/print/edge_runs.h"

namespace grid {
namespace {

constexpr uint32_t kPaperWhite = 0xFFFFFF;
constexpr int32_t kPageNumberHeight = 40;  // 4 mm

int devicePixels(double units, double pixelsPerUnit) { return static_cast<int>(std::lround(units * pixelsPerUnit)); }

// A point of the paper, in 0.1 mm from the printable area's corner, in device pixels.
QPoint onDevice(const PageDevice& device, int32_t x, int32_t y) {
    return QPoint(static_cast<int>(std::lround(device.origin.x() + x * device.pixelsPerUnitX)),
                  static_cast<int>(std::lround(device.origin.y() + y * device.pixelsPerUnitY)));
}

void addEdge(EdgeRuns& edges, const CellPainter& cells, uint32_t flags, CellEdge edge, const QRect& cell) {
    if (std::optional<QColor> color = cells.edgeColor(flags, edge, false)) {
        auto [from, to] = CellPainter::edgeEnds(edge, cell);
        edges.add(from, to, *color);
    }
}

QRect spanRect(int left, int top, int right, int bottom) { return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)); }

}  // namespace

PageRenderer::PageRenderer(const DataSrc& source, const PrintPlan& plan, uint32_t lineColor)
    : source_(source), plan_(plan), lineColor_(lineColor) {}

void PageRenderer::drawPage(QPainter& painter, size_t page, const PageDevice& device) {
    const PageEntry& entry = plan_.pages.at(page);
    const double factor = plan_.scale / 100.0;
    const LogicalScale scale{device.pixelsPerUnitX * factor, device.pixelsPerUnitY * factor};
    const QPoint corner = onDevice(device, plan_.printRect.left, plan_.printRect.top);
    // Lengths are converted one by one and positions summed, as on screen, so that a
    // row's rounding never moves the rows after it.
    std::vector<int> lefts{corner.x()};
    for (int32_t column = 0; column < source_.columnCount(); ++column) {
        lefts.push_back(lefts.back() + scale.pixelsX(source_.columnWidth(column)));
    }
    auto runOf = [&](int32_t first, int32_t last, int top) {
        RowRun run{first, last, {top}};
        for (int32_t row = first; row <= last; ++row) run.tops.push_back(run.tops.back() + scale.pixelsY(source_.rowHeight(row)));
        return run;
    };
    const int32_t titleRows = std::clamp(source_.provider()->fixedRows(), 0, source_.rowCount());
    const RowRun title = runOf(0, titleRows - 1, corner.y());
    const RowRun body = runOf(entry.firstRow, entry.lastRow, title.tops.back());

    CellPaintOptions options;
    options.scale = scale;
    options.gridBackColor = kPaperWhite;
    options.lineColor = lineColor_;
    options.gridLinesShown = false;
    options.addTableLines = plan_.settings.addTableLines == 1;
    options.printMode = 1;
    CellPainter cells(painter, options, pictures_);

    painter.save();
    const QPoint farCorner = onDevice(device, plan_.printRect.right, plan_.printRect.bottom);
    const QRect printArea = spanRect(corner.x(), corner.y(), farCorner.x(), farCorner.y());
    // One pixel more, so that the lines on the right and bottom edges of a table that
    // fills the rectangle exactly are still printed.
    painter.setClipRect(printArea.adjusted(0, 0, 1, 1));
    drawBackgrounds(painter, title, lefts, cells);
    drawBackgrounds(painter, body, lefts, cells);
    EdgeRuns edges;
    drawCells(title, lefts, true, cells, edges);
    drawCells(body, lefts, titleRows == 0, cells, edges);
    const bool finalPage = entry.lastRow == lastPrintedRow(*source_.provider(), plan_.settings);
    if (finalPage && plan_.settings.repeatLastRow == 1 && plan_.settings.rowsPerPage < 1) {
        drawRepeatedLastRow(body, lefts, scale, cells, edges);
    }
    edges.drawAll(cells);
    painter.restore();
    if (plan_.settings.pageNumberPosition > 0) drawPageNumber(painter, entry.pageNumber, device);
    // The cells' picture keys are kept per page; the decoded pictures stay in the
    // shared cache, within its limit, for the next page and the grid.
    pictures_.forgetAll();
}

void PageRenderer::drawBackgrounds(QPainter& painter, const RowRun& run, const std::vector<int>& lefts,
                                   CellPainter& cells) {
    std::set<std::pair<int32_t, int32_t>> blocksDrawn;
    for (int32_t row = run.first; row <= run.last; ++row) {
        for (int32_t column = 0; column + 1 < static_cast<int32_t>(lefts.size()); ++column) {
            std::optional<Cell> cell = source_.cellAt(row, column, false);
            if (!cell) continue;
            CellRange block{row, column, 1, 1};
            if (cell->flags() & CellFlags::kMergeMask) {
                block = blockOf(source_, row, column);
                if (!blocksDrawn.insert({block.row, block.column}).second) continue;
                if (block.row != row || block.column != column) cell = source_.cellAt(block.row, block.column, false);
            }
            const QColor color = cells.backgroundOf(*cell, false);
            if (color == colorOf(kPaperWhite)) continue;
            // A block is filled over the rows of it this run prints.
            const int32_t top = std::max(block.row, run.first);
            const int32_t bottom = std::min(block.row + block.rowCount - 1, run.last);
            const auto index = [&](int32_t r) { return static_cast<size_t>(r - run.first); };
            const size_t lastColumn = static_cast<size_t>(std::min<int64_t>(block.column + block.columnCount,
                                                                            static_cast<int64_t>(lefts.size()) - 1));
            painter.fillRect(spanRect(lefts[static_cast<size_t>(block.column)], run.tops[index(top)], lefts[lastColumn],
                                      run.tops[index(bottom) + 1]),
                             color);
        }
    }
}

void PageRenderer::drawCells(const RowRun& run, const std::vector<int>& lefts, bool firstOnPage, CellPainter& cells,
                             EdgeRuns& edges) {
    std::set<std::pair<int32_t, int32_t>> blocksDrawn;
    const auto index = [&](int32_t r) { return static_cast<size_t>(r - run.first); };
    const auto columns = static_cast<int32_t>(lefts.size()) - 1;
    for (int32_t row = run.first; row <= run.last; ++row) {
        for (int32_t column = 0; column < columns; ++column) {
            std::optional<Cell> cell = source_.cellAt(row, column, true);
            if (!cell) continue;
            const uint32_t flags = cell->flags();
            CellRange block{row, column, 1, 1};
            bool drawn = false;
            if (flags & CellFlags::kMergeMask) {
                block = blockOf(source_, row, column);
                drawn = !blocksDrawn.insert({block.row, block.column}).second;
                if (!drawn && (block.row != row || block.column != column)) {
                    cell = source_.cellAt(block.row, block.column, true);
                }
            }
            if (!drawn) {
                // A block cut by the page keeps its contents in the part printed here.
                const int32_t top = std::max(block.row, run.first);
                const int32_t bottom = std::min(block.row + block.rowCount - 1, run.last);
                const int32_t right = std::min(block.column + block.columnCount, columns);
                cells.drawContents(*cell,
                                   spanRect(lefts[static_cast<size_t>(block.column)], run.tops[index(top)],
                                            lefts[static_cast<size_t>(right)], run.tops[index(bottom) + 1]),
                                   block.row, block.column);
            }
            const QRect own = spanRect(lefts[static_cast<size_t>(column)], run.tops[index(row)],
                                       lefts[static_cast<size_t>(column) + 1], run.tops[index(row) + 1]);
            // The run's edges are closed also where a merged block goes on beyond them.
            if (!(flags & CellFlags::kJoinedRight)) addEdge(edges, cells, flags, CellEdge::Right, own);
            if (!(flags & CellFlags::kJoinedBelow) || row == run.last) addEdge(edges, cells, flags, CellEdge::Bottom, own);
            if (column == 0) addEdge(edges, cells, flags, CellEdge::Left, own);
            if (row == run.first && (firstOnPage || (flags & CellFlags::kJoinedAbove))) {
                addEdge(edges, cells, flags, CellEdge::Top, own);
            }
        }
    }
}

void PageRenderer::drawRepeatedLastRow(const RowRun& body, const std::vector<int>& lefts, const LogicalScale& scale,
                                       const CellPainter& cells, EdgeRuns& edges) {
    if (body.last < body.first) return;
    const int32_t height = source_.rowHeight(body.last);
    if (height <= 0) return;
    int64_t used = 0;
    for (int32_t row = body.first; row <= body.last; ++row) used += source_.rowHeight(row);
    const int64_t copies = std::max<int64_t>(0, (plan_.bodyHeight - used) / height);
    const auto columns = static_cast<int32_t>(lefts.size()) - 1;
    std::vector<uint32_t> flags;
    for (int32_t column = 0; column < columns; ++column) flags.push_back(source_.cellAt(body.last, column, false)->flags());
    int top = body.tops.back();
    for (int64_t copy = 0; copy < copies; ++copy) {
        const int bottom = top + scale.pixelsY(height);
        for (int32_t column = 0; column < columns; ++column) {
            const uint32_t cellFlags = flags[static_cast<size_t>(column)];
            const QRect own = spanRect(lefts[static_cast<size_t>(column)], top, lefts[static_cast<size_t>(column) + 1],
                                       bottom);
            if (!(cellFlags & CellFlags::kJoinedRight)) addEdge(edges, cells, cellFlags, CellEdge::Right, own);
            addEdge(edges, cells, cellFlags, CellEdge::Bottom, own);
            if (column == 0) addEdge(edges, cells, cellFlags, CellEdge::Left, own);
        }
        top = bottom;
    }
}

void PageRenderer::drawPageNumber(QPainter& painter, int32_t number, const PageDevice& device) {
    const QString text = QStringLiteral(u"第 %1 页").arg(number);
    const QFont font = cellFont({}, devicePixels(kPageNumberHeight, device.pixelsPerUnitY), 0);
    const int textPixels = QFontMetrics(font, painter.device()).horizontalAdvance(text);
    const auto textUnits = static_cast<int32_t>(std::lround(textPixels / device.pixelsPerUnitX));
    const PagePoint at = pageNumberOrigin(plan_.printRect, plan_.settings.pageNumberPosition, textUnits, kPageNumberHeight);
    const QRect box(onDevice(device, at.x, at.y), QSize(textPixels + 1, devicePixels(kPageNumberHeight, device.pixelsPerUnitY)));
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip, text);
    painter.restore();
}

}  // namespace grid
