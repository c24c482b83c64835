#pragma once

#include <cstdint>

namespace grid {

// What a data source tells its views after a change. Fields that a kind does not use
// stay 0: rows inserted and deleted use row and rowCount, columns inserted and
// deleted column and columnCount, the current-row notice row, the status-flags
// notice newFlags and oldFlags.
struct ModelNotice {
    enum class Kind {
        BeforeChange,
        Reset,
        RowsInserted,
        ColumnsInserted,
        RowsDeleted,
        ColumnsDeleted,
        Merged,
        RowHeights,
        ColumnWidths,
        Cells,
        Lines,
        ProviderChanged,
        CurrentRow,
        StatusFlags,
    };

    Kind kind = Kind::BeforeChange;
    int32_t row = 0;
    int32_t column = 0;
    int32_t rowCount = 0;
    int32_t columnCount = 0;
    uint32_t newFlags = 0;
    uint32_t oldFlags = 0;

    friend bool operator==(const ModelNotice&, const ModelNotice&) = default;
};

// A view bound to a data source: the grid, or a unit that shows one column.
class ModelView {
public:
    virtual ~ModelView() = default;
    virtual void onModelNotice(const ModelNotice& notice) = 0;
};

}  // namespace grid
