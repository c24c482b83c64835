#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace grid {

// One row or column on screen: its index and its pixel edges. end is the edge
// shared with the next one, where this one's right (bottom) line is drawn.
struct LineSpan {
    int32_t index = 0;
    int start = 0;
    int end = 0;
};

// The rows (or columns) of a grid along one axis of the client area: the header, the
// fixed ones that never scroll and the scrolled body. Only what is shown is measured,
// so the cost does not depend on the size of the table.
class AxisLayout {
public:
    // Index given to a position inside the header.
    static constexpr int32_t kHeader = -1;
    // Positions outside the client area saturate this far beyond its edges: far
    // enough that nothing drawn there shows, near enough to stay in int range.
    static constexpr int kOutside = 8;
    // How far beyond the client area's edges the whole positions stay exact. A text
    // or picture placed against an edge that far out cannot reach the window, and
    // the painter's fixed-point coordinates still hold twice this much.
    static constexpr int kFarOutside = 1 << 23;

    AxisLayout(int32_t count, int32_t fixedCount, int32_t scroll, int headerSize, bool hasHeader, int clientExtent,
               std::function<int(int32_t)> pixelSize);

    int32_t count() const { return count_; }
    int32_t fixedCount() const { return fixedCount_; }
    int32_t firstBody() const { return fixedCount_ + scroll_; }
    int headerSize() const { return headerSize_; }
    // Every fixed row and every body row that starts inside the client area.
    const std::vector<LineSpan>& shown() const { return shown_; }
    // The edge after the header and the fixed rows, where the body starts.
    int fixedEnd() const { return fixedEnd_; }
    // First pixel of each band. A band ends on its closing line, so the next band
    // starts one pixel later; without a header the grid's own first line is at 0.
    int fixedBandStart() const { return hasHeader_ ? headerSize_ + 1 : 0; }
    int bodyBandStart() const { return hasHeader_ || fixedCount_ > 0 ? fixedEnd_ + 1 : 0; }

    bool isFixed(int32_t index) const { return index < fixedCount_; }
    // The leading edge of a row, also of one scrolled out of view or beyond the
    // client area (then saturated just outside it).
    int startOf(int32_t index) const;
    // The trailing edge of a row, where its closing line lies; saturated likewise.
    int endOf(int32_t index) const;
    // The edges of a row as if the client area reached it: exact also for rows
    // scrolled out of view or beyond the window, up to kFarOutside past its edges.
    // Contents are placed against these, so that they keep their place among the
    // cells however much of a merged block shows.
    int wholeStartOf(int32_t index) const;
    int wholeEndOf(int32_t index) const;
    // The row under a position: kHeader in the header, the last shown row below the
    // last one, nothing when no row is shown.
    std::optional<int32_t> indexAt(int position) const;
    // Pixels of one row, at this axis's scale.
    int sizeOf(int32_t index) const { return pixelSize_(index); }
    // The smallest scroll position that shows the row completely (or, when it does
    // not fit, at the top of the body).
    int32_t scrollToShow(int32_t index) const;

private:
    const LineSpan* findShown(int32_t index) const;

    int32_t count_;
    int32_t fixedCount_;
    int32_t scroll_;
    int headerSize_;
    bool hasHeader_;
    int clientExtent_;
    std::function<int(int32_t)> pixelSize_;
    std::vector<LineSpan> shown_;
    int fixedEnd_ = 0;
};

}  // namespace grid
