// Any bytes as a table file: the reader must fail cleanly or give a consistent table,
// and a table it accepts is written to bytes that read back to the very same bytes.
// The summary that reads the frame alone, the reading of the same bytes as they come
// (in pieces of a few bytes, so that every record straddles refills) and the walk over
// the cells' texts that export uses must say what the whole reading says.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "grid/format/byte_sink.h"
#include "grid/format/table_file.h"
#include "grid/format/table_summary.h"

namespace {

// Gives the bytes in pieces of one to seven bytes.
grid::ByteSource piecesOf(const uint8_t* data, size_t size, size_t& given) {
    return [data, size, &given](uint8_t* into, size_t room) {
        const size_t part = std::min({room, size - given, given % 7 + 1});
        if (part > 0) std::memcpy(into, data + given, part);
        given += part;
        return part;
    };
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    grid::Table table({58, 312});
    const grid::ReadError error = grid::readTableFile({data, size}, table);
    size_t given = 0;
    grid::TableSummary summary;
    // Loading may run out of memory where the summary needs none.
    const grid::ReadError summed = grid::readTableSummary(piecesOf(data, size, given), size, summary);
    if (summed != error && error != grid::ReadError::OutOfMemory) std::abort();
    given = 0;
    const grid::ByteSource pieces = piecesOf(data, size, given);
    grid::StreamReader stream(pieces, size);
    grid::Table streamed({58, 312});
    if (grid::readTableFile(stream, streamed) != error) std::abort();
    given = 0;
    grid::StreamReader walked(pieces, size);
    std::string texts;
    const grid::CellTextVisitor collect = [&texts](int32_t, int32_t, std::string_view text) {
        texts.append(text).push_back('\0');
    };
    if (grid::readCellTexts(walked, collect) != error && error != grid::ReadError::OutOfMemory) std::abort();
    if (error != grid::ReadError::None) return 0;
    if (summary.rowCount() != table.rowCount() || summary.columnCount() != table.columnCount()) std::abort();
    std::string tableTexts;
    for (int32_t row = 0; row < table.rowCount(); ++row) {
        for (int32_t column = 0; column < table.columnCount(); ++column) {
            tableTexts.append(table.cell(row, column).text()).push_back('\0');
        }
    }
    if (tableTexts != texts) std::abort();
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
    grid::MemorySink fromStream;
    grid::writeTableFile(fromStream, streamed);
    if (fromStream.bytes() != written.bytes()) std::abort();
    return 0;
}
