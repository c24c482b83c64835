#pragma once

#include <cstdint>

#include "runtime/value/value.h"
#include "runtime/window/unit_access.h"

namespace app {

// The selection as the commands read it: first row and column from 1, and counts.
struct SelectedRange {
    int32_t row = 0;
    int32_t column = 0;
    int32_t rowCount = 0;
    int32_t columnCount = 0;
    int32_t lastRow() const { return row + rowCount - 1; }
    int32_t lastColumn() const { return column + columnCount - 1; }
};

// The main grid's commands as the routines call them; rows and columns from 1.
class GridRef {
public:
    explicit GridRef(rt::UnitRef unit) : unit_(unit) {}

    int32_t selectionRow() const;
    int32_t selectionColumn() const;
    int32_t selectionRowCount() const;
    int32_t selectionColumnCount() const;
    // The four values above, read afresh.
    SelectedRange selection() const;
    void fitToWindowWidth() const;
    // Ends an open in-place edit by committing what was typed.
    void commitEdit() const;
    // Makes the cell (its whole merged block) the current cell and scrolls it into view.
    void moveCurrentCell(int32_t row, int32_t column) const;
    // The grid's own properties: zoom in percent (clamped by the grid to 20-1000) and
    // the colour of its grid lines.
    int32_t zoom() const;
    void setZoom(int32_t percent) const;
    void setLineColor(uint32_t color) const;

private:
    rt::UnitAccess access() const;
    int32_t integerCommand(const char* name) const;
    rt::UnitRef unit_;
};

// The grid "主表格" of the main window.
GridRef mainGrid();

}  // namespace app
