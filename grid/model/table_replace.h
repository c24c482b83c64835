#pragma once

#include <cstdint>
#include <string_view>

#include "grid/model/cell_range.h"
#include "grid/model/table_search.h"
#include "grid/model/text_pattern.h"

namespace grid {

class DataSrc;

// Replace in cells, numbered from 0. Each new text is written through the data source
// as typing it would be: a cell with an input type converts it. Cells are looked at
// as SearchableCells reads them, so picture and data cells and the hidden cells of a
// merged block are never changed. A cell whose text would stay the same is not
// written and does not count.

// Replaces the occurrences in one cell (the current match of a find). False, changing
// nothing, when the cell holds none.
bool replaceInCell(DataSrc& source, CellPosition cell, const TextPattern& pattern, std::string_view replacement);

// Replaces the occurrences in every cell of the area (clipped to the table) as one
// change: the views hear one notice for the rectangle of the cells that changed.
// Returns how many cells changed; a provider that writes each field at once (a
// database's) has then written that many.
int64_t replaceAll(DataSrc& source, const CellRange& area, const TextPattern& pattern, std::string_view replacement);

}  // namespace grid
