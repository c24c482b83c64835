#include "app/units/table_search_ref.h"

#include "app/window_ids.h"
#include "grid/model/data_source.h"
#include "grid/model/table_replace.h"
#include "runtime/value/unit_registry.h"

namespace app {
namespace {

grid::DataSrc& mainSource() {
    return rt::unitObjectAs<grid::DataSrc>({window_id::MainWindow, main_unit::DataSource, rt::unit_kind::DataSrc});
}

grid::CellRange rangeOf(const SelectedRange& area) {
    return {area.row - 1, area.column - 1, area.rowCount, area.columnCount};
}

FoundMatch matchAt(grid::CellPosition cell, bool wrapped) { return {cell.row + 1, cell.column + 1, wrapped}; }

}  // namespace

SelectedRange mainTableBody() {
    const grid::DataSrc& source = mainSource();
    if (!source.provider()) return {};
    const int32_t fixedRows = source.provider()->fixedRows();
    const int32_t fixedColumns = source.provider()->fixedColumns();
    return {fixedRows + 1, fixedColumns + 1, source.rowCount() - fixedRows, source.columnCount() - fixedColumns};
}

std::string mainTableColumnTitle(int32_t column) {
    const grid::DataSrc& source = mainSource();
    return source.provider() ? source.provider()->columnTitle(column - 1) : std::string();
}

std::optional<FoundMatch> findNextInMainTable(const grid::TextPattern& pattern, grid::SearchOrder order,
                                              int32_t fromRow, int32_t fromColumn) {
    const std::optional<grid::FoundCell> found =
        grid::findNext(mainSource(), rangeOf(mainTableBody()), pattern, order, {fromRow - 1, fromColumn - 1});
    if (!found) return std::nullopt;
    return matchAt(found->cell, found->wrapped);
}

std::vector<FoundMatch> findAllInMainTable(const grid::TextPattern& pattern, grid::SearchOrder order) {
    std::vector<FoundMatch> matches;
    for (grid::CellPosition cell : grid::findAll(mainSource(), rangeOf(mainTableBody()), pattern, order)) {
        matches.push_back(matchAt(cell, false));
    }
    return matches;
}

int64_t countMatchesInMainTable(const SelectedRange& area, const grid::TextPattern& pattern) {
    return grid::countMatches(mainSource(), rangeOf(area), pattern);
}

bool replaceInMainTableCell(int32_t row, int32_t column, const grid::TextPattern& pattern,
                            std::string_view replacement) {
    return grid::replaceInCell(mainSource(), {row - 1, column - 1}, pattern, replacement);
}

int64_t replaceAllInMainTable(const SelectedRange& area, const grid::TextPattern& pattern,
                              std::string_view replacement) {
    return grid::replaceAll(mainSource(), rangeOf(area), pattern, replacement);
}

grid::SortOutcome sortMainTableRows(int32_t firstRow, int32_t lastRow, const std::vector<grid::SortColumn>& keys,
                                    bool hasHeaderRow) {
    grid::RowSort sort{.firstRow = firstRow - 1, .lastRow = lastRow - 1, .keys = {}, .hasHeaderRow = hasHeaderRow};
    for (grid::SortColumn key : keys) sort.keys.push_back({key.column - 1, key.descending});
    return grid::sortRows(mainSource(), sort);
}

}  // namespace app
