// Any bytes as a table file: the reader must fail cleanly or give a consistent table,
// and a table it accepts is written to bytes that read back to the very same bytes.
// The summary that reads the frame alone must say what the whole reading says.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "grid/format/byte_sink.h"
#include "grid/format/table_file.h"
#include "grid/format/table_summary.h"

namespace {

grid::ReadError summaryError(const uint8_t* data, size_t size, grid::TableSummary& summary) {
    size_t given = 0;
    grid::ByteSource source = [&](uint8_t* into, size_t room) {
        const size_t part = std::min(room, size - given);
        if (part > 0) std::memcpy(into, data + given, part);
        given += part;
        return part;
    };
    return grid::readTableSummary(source, size, summary);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    grid::Table table({58, 312});
    const grid::ReadError error = grid::readTableFile({data, size}, table);
    grid::TableSummary summary;
    // Loading may run out of memory where the summary needs none.
    if (summaryError(data, size, summary) != error && error != grid::ReadError::OutOfMemory) std::abort();
    if (error != grid::ReadError::None) return 0;
    if (summary.rowCount() != table.rowCount() || summary.columnCount() != table.columnCount()) std::abort();
    for (int32_t row = 0; row < table.rowCount(); ++row) {
        for (int32_t column = 0; column < table.columnCount(); ++column) (void)table.cell(row, column).text();
    }
    grid::MemorySink written;
    grid::writeTableFile(written, table);
    grid::Table again({58, 312});
    if (grid::readTableFile(written.bytes(), again) != grid::ReadError::None) std::abort();
    grid::MemorySink rewritten;
    grid::writeTableFile(rewritten, again);
    if (rewritten.bytes() != written.bytes()) std::abort();
    return 0;
}
