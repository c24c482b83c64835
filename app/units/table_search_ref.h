#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/units/grid_ref.h"
#include "grid/model/row_sort.h"
#include "grid/model/table_search.h"
#include "grid/model/text_pattern.h"

namespace app {

// Find, replace and sort on the main table, for the dialogs of those commands; rows
// and columns from 1, as the routines count them. Unlike the other table commands
// these hold the main data source itself, as TableSnapshot does: a find must know the
// cell it found and whether it went round past the end, and a refused sort its
// reason, where the data source's script commands give only a count or true/false.

struct FoundMatch {
    int32_t row = 0;
    int32_t column = 0;
    // The search went past the end of the table and on from its start.
    bool wrapped = false;
};

// The cells a person can select and edit: below the fixed rows, right of the fixed
// columns. Empty when no table is shown.
SelectedRange mainTableBody();
// The title the grid shows over a column.
std::string mainTableColumnTitle(int32_t column);

// The next matching cell after (fromRow, fromColumn) in the body, going round to its
// start; the cell itself is looked at last.
std::optional<FoundMatch> findNextInMainTable(const grid::TextPattern& pattern, grid::SearchOrder order,
                                              int32_t fromRow, int32_t fromColumn);
// Every matching cell of the body, in the order.
std::vector<FoundMatch> findAllInMainTable(const grid::TextPattern& pattern, grid::SearchOrder order);
int64_t countMatchesInMainTable(const SelectedRange& area, const grid::TextPattern& pattern);

// False, changing nothing, when the cell holds no match.
bool replaceInMainTableCell(int32_t row, int32_t column, const grid::TextPattern& pattern,
                            std::string_view replacement);
// As one change that the views hear of once; the number of cells changed.
int64_t replaceAllInMainTable(const SelectedRange& area, const grid::TextPattern& pattern,
                              std::string_view replacement);

// Sorts rows firstRow..lastRow by the keys (their columns from 1 too).
grid::SortOutcome sortMainTableRows(int32_t firstRow, int32_t lastRow, const std::vector<grid::SortColumn>& keys,
                                    bool hasHeaderRow);

}  // namespace app
