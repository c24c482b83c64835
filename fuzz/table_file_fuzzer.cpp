// Any bytes as a table file: the reader must fail cleanly or give a consistent table,
// and a table it accepts is written to bytes that read back to the very same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "grid/format/byte_sink.h"
#include "grid/format/table_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    grid::Table table({58, 312});
    if (grid::readTableFile({data, size}, table) != grid::ReadError::None) return 0;
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
