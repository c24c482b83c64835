#pragma once

#include <QRect>
#include <QSize>
#include <cstdint>

#include "grid/model/cell_range.h"
#include "grid/model/data_source.h"
#include "grid/view/axis_layout.h"
#include "grid/view/logical_scale.h"

namespace grid {

// What the layout of a grid depends on besides its table.
struct LayoutState {
    LogicalScale scale;
    bool headersShown = true;
    // Header column width and header row height in 0.1 mm.
    int32_t headerWidth = 0;
    int32_t headerHeight = 0;
    int32_t scrollRow = 0;
    int32_t scrollColumn = 0;
    QSize client;
};

// Where every shown row and column of a grid lies on screen, in device pixels.
// Made afresh for each paint or hit test; it measures only what is shown.
class GridLayout {
public:
    GridLayout(const DataSrc& source, const LayoutState& state);

    const AxisLayout& rows() const { return rows_; }
    const AxisLayout& columns() const { return columns_; }
    const LogicalScale& scale() const { return scale_; }

    // The pixels a range covers: from its top-left corner up to, not including, the
    // edges where its right and bottom lines are drawn. Edges out of view saturate
    // just outside the client area.
    QRect rangeRect(const CellRange& range) const;
    // The same as if the client area reached past every edge of the range: where a
    // cell's or a merged block's text and picture are placed, to be cut by the
    // window rather than moved by it.
    QRect wholeRangeRect(const CellRange& range) const;
    // The band a cell is drawn in: the body, a fixed band, or the corner of fixed
    // rows and fixed columns. Drawing of a cell is clipped to its band so that the
    // scrolled body never paints over the fixed rows and columns.
    QRect bandOf(int32_t row, int32_t column) const;
    // The scrolled body: right of and below the headers and the fixed area.
    QRect bodyBand() const;

private:
    QRect band(bool fixedRow, bool fixedColumn) const;

    LogicalScale scale_;
    QSize client_;
    AxisLayout rows_;
    AxisLayout columns_;
};

}  // namespace grid
