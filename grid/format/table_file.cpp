#include "grid/format/table_file.h"

#include <algorithm>

#include "grid/format/cell_record.h"
#include "grid/format/page_settings_block.h"

namespace grid {

namespace {

// A provider and a kept table answer the same questions about their frame; only the
// way to reach a cell differs.
template <typename Source, typename WriteCells>
void writeTable(ByteSink& sink, const Source& source, WriteCells writeCells) {
    int32_t rows = source.rowCount();
    int32_t columns = source.columnCount();
    sink.write(kTableFileMagic);
    sink.writeLittleEndian(rows);
    sink.writeLittleEndian(columns);
    sink.writeLittleEndian(source.fixedRows());
    sink.writeLittleEndian(source.fixedColumns());
    for (int32_t row = 0; row < rows; ++row) sink.writeLittleEndian(source.rowHeight(row));
    for (int32_t column = 0; column < columns; ++column) sink.writeLittleEndian(source.columnWidth(column));
    writeCells(rows, columns);
    writePageSettingsBlock(sink, source.pageSettings());
}

}  // namespace

void writeTableFile(ByteSink& sink, const DataProvider& provider) {
    writeTable(sink, provider, [&](int32_t rows, int32_t columns) {
        Cell copy;
        for (int32_t row = 0; row < rows; ++row) {
            for (int32_t column = 0; column < columns; ++column) {
                const Cell* cell = provider.storedCell(row, column);
                if (!cell) {
                    provider.getCell(copy, row, column, true);
                    cell = &copy;
                }
                writeCellRecord(sink, *cell);
            }
        }
    });
}

void writeTableFile(ByteSink& sink, const Table& table) {
    writeTable(sink, table, [&](int32_t rows, int32_t columns) {
        for (int32_t row = 0; row < rows; ++row) {
            for (int32_t column = 0; column < columns; ++column) writeCellRecord(sink, table.cell(row, column));
        }
    });
}

ReadError readTableFile(std::span<const uint8_t> bytes, Table& table) {
    ByteReader reader(bytes);
    std::span<const uint8_t> magic;
    if (!reader.take(sizeof kTableFileMagic, magic) || !std::equal(magic.begin(), magic.end(), kTableFileMagic)) {
        return ReadError::WrongMagic;
    }
    int32_t rows = 0;
    int32_t columns = 0;
    int32_t fixedRows = 0;
    int32_t fixedColumns = 0;
    if (!reader.read(rows) || !reader.read(columns) || !reader.read(fixedRows) || !reader.read(fixedColumns)) {
        return ReadError::Truncated;
    }
    if (rows < 0 || columns < 0) return ReadError::NegativeField;
    if (!fitsLimits(rows, columns)) return ReadError::TooLarge;
    uint64_t cellCount = uint64_t(rows) * uint64_t(columns);
    uint64_t smallestRest = 4 * (uint64_t(rows) + uint64_t(columns)) + cellCount * kMinimumCellRecordSize +
                            kPageSettingsBlockSize;
    if (reader.remaining() < smallestRest) return ReadError::Truncated;
    if (!table.setSize(rows, columns)) return ReadError::OutOfMemory;
    table.setFixedRows(fixedRows);
    table.setFixedColumns(fixedColumns);

    int32_t size = 0;
    for (int32_t row = 0; row < rows; ++row) {
        reader.read(size);
        table.setRowHeight(row, size);
    }
    for (int32_t column = 0; column < columns; ++column) {
        reader.read(size);
        table.setColumnWidth(column, size);
    }
    for (int32_t row = 0; row < rows; ++row) {
        for (int32_t column = 0; column < columns; ++column) {
            if (ReadError error = readCellRecord(reader, table.cell(row, column)); error != ReadError::None) {
                return error;
            }
        }
    }
    if (!readPageSettingsBlock(reader, table.pageSettings())) return ReadError::Truncated;
    return ReadError::None;
}

}  // namespace grid
