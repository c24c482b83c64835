#include "grid/format/cell_block.h"

#include <algorithm>

#include "grid/format/cell_record.h"
#include "grid/model/table.h"

namespace grid {

std::vector<uint8_t> encodeCellBlock(const DataSrc& source, const CellRange& requested) {
    std::optional<CellRange> range = source.validRange(requested);
    if (!range) return {};
    const DataProvider& provider = *source.provider();
    // The block's exact size first, where the cells can be read in place: one
    // allocation instead of a block copied each time it outgrows itself.
    size_t size = sizeof kCellBlockMagic + 2 * sizeof(int32_t);
    for (int32_t row = range->row; row <= range->lastRow(); ++row) {
        for (int32_t column = range->column; column <= range->lastColumn(); ++column) {
            if (const Cell* cell = provider.storedCell(row, column)) size += cellRecordSize(*cell);
        }
    }
    MemorySink sink;
    sink.bytes().reserve(size);
    sink.write(kCellBlockMagic);
    sink.writeLittleEndian(range->rowCount);
    sink.writeLittleEndian(range->columnCount);
    Cell copy;
    for (int32_t row = range->row; row <= range->lastRow(); ++row) {
        for (int32_t column = range->column; column <= range->lastColumn(); ++column) {
            const Cell* cell = provider.storedCell(row, column);
            if (!cell) {
                provider.getCell(copy, row, column, true);
                cell = &copy;
            }
            writeCellRecord(sink, *cell);
        }
    }
    return std::move(sink.bytes());
}

namespace {

struct DecodedBlock {
    int32_t rowCount = 0;
    int32_t columnCount = 0;
    std::vector<Cell> cells;
};

// All records are read before the table is touched, so a block that ends early
// changes nothing.
bool decodeBlock(std::span<const uint8_t> bytes, DecodedBlock& block) {
    ByteReader reader(bytes);
    std::span<const uint8_t> magic;
    if (!reader.take(sizeof kCellBlockMagic, magic) || !std::equal(magic.begin(), magic.end(), kCellBlockMagic)) {
        return false;
    }
    if (!reader.read(block.rowCount) || !reader.read(block.columnCount)) return false;
    if (block.rowCount <= 0 || block.columnCount <= 0) return true;
    if (!fitsLimits(block.rowCount, block.columnCount)) return false;
    size_t cellCount = size_t(block.rowCount) * size_t(block.columnCount);
    if (reader.remaining() / kMinimumCellRecordSize < cellCount) return false;
    block.cells.resize(cellCount);
    for (Cell& cell : block.cells) {
        if (readCellRecord(reader, cell) != ReadError::None) return false;
    }
    return true;
}

}  // namespace

PasteOutcome pasteCellBlock(DataSrc& source, int32_t row, int32_t column, std::span<const uint8_t> bytes,
                            const PasteOptions& options) {
    DataProvider* provider = source.provider();
    if (!provider || row < 0 || row > source.rowCount() || column < 0 || column > source.columnCount()) return {};
    DecodedBlock block;
    if (!decodeBlock(bytes, block)) return {};
    int32_t oldRows = source.rowCount();
    int32_t oldColumns = source.columnCount();
    int64_t neededRows = block.cells.empty() ? 0 : int64_t{row} + block.rowCount;
    int64_t neededColumns = block.cells.empty() ? 0 : int64_t{column} + block.columnCount;
    bool mustGrow = neededRows > oldRows || neededColumns > oldColumns;
    if (mustGrow && (!options.grow || !fitsLimits(std::max<int64_t>(neededRows, oldRows),
                                                  std::max<int64_t>(neededColumns, oldColumns)))) {
        return {};
    }

    source.notifyBeforeChange();
    if (neededRows > oldRows && !provider->insertRows(oldRows, static_cast<int32_t>(neededRows - oldRows))) return {};
    if (neededColumns > oldColumns &&
        !provider->insertColumns(oldColumns, static_cast<int32_t>(neededColumns - oldColumns))) {
        source.notifyTableReset();
        return {};
    }
    Cell target;
    for (int32_t i = 0; i < block.rowCount && !block.cells.empty(); ++i) {
        for (int32_t j = 0; j < block.columnCount; ++j) {
            Cell& cell = block.cells[size_t(i) * size_t(block.columnCount) + size_t(j)];
            provider->getCell(target, row + i, column + j, false);
            if (options.skipLockedCells && (target.flags() & CellFlags::kLocked)) continue;
            cell.setFlags((cell.flags() & ~CellFlags::kMergeMask) | (target.flags() & CellFlags::kMergeMask));
            provider->setCell(row + i, column + j, cell);
        }
    }

    PasteOutcome outcome{true, block.rowCount, block.columnCount, mustGrow};
    if (mustGrow) {
        source.notifyTableReset();
    } else {
        source.notify({.kind = ModelNotice::Kind::Cells,
                       .row = row,
                       .column = column,
                       .rowCount = block.rowCount,
                       .columnCount = block.columnCount});
    }
    return outcome;
}

}  // namespace grid
