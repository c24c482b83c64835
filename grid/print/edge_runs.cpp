#include "grid/print/edge_runs.h"

#include <algorithm>
#include <tuple>

#include "grid/view/cell_painter.h"

namespace grid {

void EdgeRuns::add(QPoint from, QPoint to, const QColor& color) {
    const bool vertical = from.x() == to.x();
    const int start = vertical ? std::min(from.y(), to.y()) : std::min(from.x(), to.x());
    const int end = vertical ? std::max(from.y(), to.y()) : std::max(from.x(), to.x());
    runs_.push_back({vertical, color.rgb(), vertical ? from.x() : from.y(), start, end});
}

void EdgeRuns::drawAll(CellPainter& cells) {
    auto key = [](const Run& run) { return std::tie(run.vertical, run.color, run.across, run.start); };
    std::sort(runs_.begin(), runs_.end(), [&](const Run& a, const Run& b) { return key(a) < key(b); });
    auto draw = [&](const Run& run) {
        const QPoint from = run.vertical ? QPoint(run.across, run.start) : QPoint(run.start, run.across);
        const QPoint to = run.vertical ? QPoint(run.across, run.end) : QPoint(run.end, run.across);
        cells.drawLine(from, to, QColor::fromRgb(run.color));
    };
    for (size_t first = 0; first < runs_.size();) {
        Run joined = runs_[first];
        size_t next = first + 1;
        // Edges meet on a shared pixel (each is drawn one pixel past its cell), so a
        // run goes on while the next edge starts at or before its end.
        while (next < runs_.size() && runs_[next].vertical == joined.vertical && runs_[next].color == joined.color &&
               runs_[next].across == joined.across && runs_[next].start <= joined.end + 1) {
            joined.end = std::max(joined.end, runs_[next].end);
            ++next;
        }
        draw(joined);
        first = next;
    }
    runs_.clear();
}

}  // namespace grid
