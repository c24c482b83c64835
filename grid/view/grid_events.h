#pragma once

#include <cstdint>
#include <span>

namespace grid {

// The grid's events as the application numbers them. Rows and columns in their
// arguments are numbered from 1.
enum class GridEvent : int {
    AnchorMoved = 0,         // no arguments
    EndMoved = 1,            // no arguments
    CellsChanged = 2,        // row, column, rowCount, columnCount
    RowHeightDragged = 3,    // row
    ColumnWidthDragged = 4,  // column
    TableSizeChanged = 5,    // no arguments; raised before CellsChanged
};

// Receives the grid's events; the window runtime wraps it as the grid unit's events.
// The grid may be changed from inside a handler: it raises every event after it has
// finished its own work.
class GridEventSink {
public:
    virtual ~GridEventSink() = default;
    virtual void gridEvent(GridEvent event, std::span<const int32_t> arguments) = 0;
};

}  // namespace grid
