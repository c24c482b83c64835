#pragma once

#include <cstdint>
#include <string>

#include "grid/format/table_summary.h"
#include "grid/model/cell.h"
#include "grid/model/data_provider.h"

namespace bgetool {

// One line of JSON with the table's size, fixed rows and columns, row heights, column
// widths and the stored page settings.
std::string tableInfoJson(const grid::DataProvider& provider);
std::string tableInfoJson(const grid::TableSummary& summary);

// One line of JSON for a cell, rows and columns numbered from 1: its format, its kind
// and either its text or the length and first 32 bytes (in hex) of its data.
std::string cellJson(int32_t row, int32_t column, const grid::Cell& cell);

}  // namespace bgetool
