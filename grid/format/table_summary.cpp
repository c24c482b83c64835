#include "grid/format/table_summary.h"

#include <algorithm>

#include "grid/format/cell_record.h"
#include "grid/format/page_settings_block.h"
#include "grid/format/table_file.h"
#include "grid/model/limits.h"
#include "grid/model/table.h"

namespace grid {
namespace {

ReadError skipLength(StreamReader& reader) {
    int32_t length = 0;
    if (!reader.read(length)) return ReadError::Truncated;
    if (length < 0) return ReadError::NegativeField;
    if (length > kMaxContentLength) return ReadError::TooLarge;
    if (!reader.skip(static_cast<uint64_t>(length))) return ReadError::Truncated;
    return ReadError::None;
}

// flags, text colour, background colour, font size and margin
constexpr uint64_t kFixedCellFields = 4 + 4 + 4 + 2 + 2;

ReadError skipCellRecord(StreamReader& reader) {
    if (!reader.skip(kFixedCellFields)) return ReadError::Truncated;
    if (ReadError error = skipLength(reader); error != ReadError::None) return error;
    return skipLength(reader);
}

ReadError readSizes(StreamReader& reader, std::vector<int32_t>& sizes) {
    for (int32_t& size : sizes) {
        if (!reader.read(size)) return ReadError::Truncated;
    }
    return ReadError::None;
}

}  // namespace

ReadError readTableSummary(const ByteSource& source, uint64_t size, TableSummary& summary) {
    StreamReader reader(source, size);
    uint8_t magic[sizeof kTableFileMagic];
    if (!reader.copy(magic, sizeof magic) || !std::equal(magic, magic + sizeof magic, kTableFileMagic)) {
        return ReadError::WrongMagic;
    }
    int32_t rows = 0;
    int32_t columns = 0;
    if (!reader.read(rows) || !reader.read(columns) || !reader.read(summary.fixedRowCount) ||
        !reader.read(summary.fixedColumnCount)) {
        return ReadError::Truncated;
    }
    if (rows < 0 || columns < 0) return ReadError::NegativeField;
    if (!fitsLimits(rows, columns)) return ReadError::TooLarge;
    const uint64_t cellCount = uint64_t(rows) * uint64_t(columns);
    const uint64_t smallestRest = 4 * (uint64_t(rows) + uint64_t(columns)) + cellCount * kMinimumCellRecordSize +
                                  kPageSettingsBlockSize;
    if (reader.remaining() < smallestRest) return ReadError::Truncated;
    summary.rowHeights.assign(static_cast<size_t>(rows), 0);
    summary.columnWidths.assign(static_cast<size_t>(columns), 0);
    if (ReadError error = readSizes(reader, summary.rowHeights); error != ReadError::None) return error;
    if (ReadError error = readSizes(reader, summary.columnWidths); error != ReadError::None) return error;
    for (uint64_t cell = 0; cell < cellCount; ++cell) {
        if (ReadError error = skipCellRecord(reader); error != ReadError::None) return error;
    }
    uint8_t block[kPageSettingsBlockSize];
    if (!reader.copy(block, sizeof block)) return ReadError::Truncated;
    ByteReader blockReader(block);
    readPageSettingsBlock(blockReader, summary.page);
    return ReadError::None;
}

ReadError readTableSummary(const std::string& path, TableSummary& summary) {
    return withRegularFile(path, [&summary](const ByteSource& source, uint64_t size) {
        return readTableSummary(source, size, summary);
    });
}

}  // namespace grid
