#include "grid/model/searchable_cells.h"

#include "grid/model/data_provider.h"

namespace grid {

std::string_view SearchableCells::textAt(int32_t row, int32_t column) {
    const Cell* cell = provider_.storedCell(row, column);
    if (!cell) {
        if (!provider_.getCell(copy_, row, column, true)) return {};
        cell = &copy_;
    }
    const uint32_t flags = cell->flags();
    if (kindOf(flags) != CellKind::Text || (flags & (CellFlags::kJoinedLeft | CellFlags::kJoinedAbove))) return {};
    return cell->text();
}

}  // namespace grid
