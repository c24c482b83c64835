#pragma once

#include <cstdint>

#include "runtime/value/value.h"

namespace app {

// The main grid's commands as the routines call them; rows and columns from 1.
class GridRef {
public:
    explicit GridRef(rt::UnitRef unit) : unit_(unit) {}

    int32_t selectionRow() const;
    int32_t selectionColumn() const;
    int32_t selectionRowCount() const;
    int32_t selectionColumnCount() const;
    void fitToWindowWidth() const;

private:
    int32_t integerCommand(const char* name) const;
    rt::UnitRef unit_;
};

// The grid "主表格" of the main window.
GridRef mainGrid();

}  // namespace app
