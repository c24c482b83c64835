#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace grid {

class DataSrc;
class Table;

struct SortColumn {
    int32_t column = 0;
    bool descending = false;
};

// Which rows to sort and by what, numbered from 0; a last row past the table's end
// means its last row. The first key decides; each further key decides among rows the
// keys before it hold equal; rows equal in every key keep their order.
struct RowSort {
    int32_t firstRow = 0;
    int32_t lastRow = 0;
    std::vector<SortColumn> keys;
    // The first row holds the columns' titles and stays where it is.
    bool hasHeaderRow = false;
};

enum class SortOutcome {
    Sorted,
    // The first row or a key column outside the table, no key, or the last row
    // before the first.
    InvalidRange,
    // A merged block spans two rows of those to sort, or one of them and a row outside.
    CutsMergedBlock,
    // The provider keeps its rows in an order of its own: a database's query.
    ProviderKeepsOrder,
    NoMemory,
};

// Sorts the rows of a table: keys are read once per row, the row numbers are sorted,
// then whole rows move with their formats and heights, their cells not copied.
// Nothing changes unless the outcome is Sorted.
SortOutcome sortTableRows(Table& table, const RowSort& sort);

// The same through a data source, as one change that the views hear of once.
SortOutcome sortRows(DataSrc& source, const RowSort& sort);

// What to tell a person about a sort that was refused; empty for Sorted.
std::string_view sortRefusalText(SortOutcome outcome);

}  // namespace grid
