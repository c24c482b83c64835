// Any bytes as a table file: the reader must fail cleanly or give a consistent table.
#include <cstddef>
#include <cstdint>

#include "grid/format/table_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    grid::Table table({58, 312});
    if (grid::readTableFile({data, size}, table) == grid::ReadError::None) {
        for (int32_t row = 0; row < table.rowCount(); ++row) {
            for (int32_t column = 0; column < table.columnCount(); ++column) (void)table.cell(row, column).text();
        }
    }
    return 0;
}
