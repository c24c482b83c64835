#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "grid/format/read_error.h"
#include "grid/format/stream_reader.h"
#include "grid/model/page_settings.h"

namespace grid {

// What a table file says about its frame (counts, fixed rows and columns, sizes and
// page settings), read without building the table: the cell records are read by the
// table's own reader, a buffer at a time, and let go, so a file of millions of cells
// is summed up with no memory for its cells.
struct TableSummary {
    int32_t fixedRowCount = 0;
    int32_t fixedColumnCount = 0;
    std::vector<int32_t> rowHeights;
    std::vector<int32_t> columnWidths;
    PageSettings page;

    int32_t rowCount() const { return static_cast<int32_t>(rowHeights.size()); }
    int32_t columnCount() const { return static_cast<int32_t>(columnWidths.size()); }
    int32_t fixedRows() const { return fixedRowCount; }
    int32_t fixedColumns() const { return fixedColumnCount; }
    int32_t rowHeight(int32_t row) const { return rowHeights[static_cast<size_t>(row)]; }
    int32_t columnWidth(int32_t column) const { return columnWidths[static_cast<size_t>(column)]; }
    const PageSettings& pageSettings() const { return page; }
};

// The reading of the whole table, so a file that does not load gives the error
// loading it would give. `size` is the number of bytes the source holds.
ReadError readTableSummary(StreamReader& reader, TableSummary& summary);
ReadError readTableSummary(const ByteSource& source, uint64_t size, TableSummary& summary);
// A regular file only, opened without waiting, as tables are loaded.
ReadError readTableSummary(const std::string& path, TableSummary& summary);

}  // namespace grid
