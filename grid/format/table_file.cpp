#include "grid/format/table_file.h"

#include <algorithm>
#include <optional>

#include "grid/format/cell_record.h"
#include "grid/format/page_settings_block.h"
#include "grid/format/table_summary.h"
#include "grid/model/limits.h"

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

namespace {

// The bytes of a file in memory.
class SpanTableReader {
public:
    explicit SpanTableReader(std::span<const uint8_t> bytes) : reader_(bytes) {}
    bool magic() {
        std::span<const uint8_t> magic;
        return reader_.take(sizeof kTableFileMagic, magic) && std::equal(magic.begin(), magic.end(), kTableFileMagic);
    }
    bool read(int32_t& value) { return reader_.read(value); }
    uint64_t remaining() const { return reader_.remaining(); }
    ReadError cell(Cell& cell) { return readCellRecord(reader_, cell); }
    bool pageSettings(PageSettings& settings) { return readPageSettingsBlock(reader_, settings); }

private:
    ByteReader reader_;
};

// The bytes of a file as they are read, each cell record whole in the buffer.
class StreamTableReader {
public:
    explicit StreamTableReader(StreamReader& reader) : reader_(reader) {}
    bool magic() {
        uint8_t magic[sizeof kTableFileMagic];
        return reader_.copy(magic, sizeof magic) && std::equal(magic, magic + sizeof magic, kTableFileMagic);
    }
    bool read(int32_t& value) { return reader_.read(value); }
    uint64_t remaining() const { return reader_.remaining(); }
    ReadError cell(Cell& cell) {
        return record([&cell](ByteReader& record) { return readCellRecord(record, cell); });
    }
    // The text stays valid until the next record is read.
    ReadError text(std::string_view& text) {
        return record([&text](ByteReader& record) { return readCellRecordText(record, text); });
    }
    bool pageSettings(PageSettings& settings) {
        if (!reader_.ensure(kPageSettingsBlockSize)) return false;
        ByteReader block(reader_.window());
        readPageSettingsBlock(block, settings);
        reader_.consume(block.position());
        return true;
    }

private:
    // The record's two lengths say how much of it must be at hand: a length that is
    // no length is left to the record reader, which names the fault.
    template <typename Parse>
    ReadError record(Parse parse) {
        constexpr size_t kNameLengthEnd = kMinimumCellRecordSize - 4;
        if (!reader_.ensure(kNameLengthEnd)) return ReadError::Truncated;
        size_t wanted = kNameLengthEnd;
        if (std::optional<size_t> name = lengthAt(wanted - 4)) {
            wanted += *name + 4;
            if (!reader_.ensure(wanted)) return ReadError::Truncated;
            if (std::optional<size_t> content = lengthAt(wanted - 4)) {
                wanted += *content;
                if (!reader_.ensure(wanted)) return ReadError::Truncated;
            }
        }
        ByteReader record(reader_.window());
        const ReadError error = parse(record);
        reader_.consume(record.position());
        return error;
    }

    std::optional<size_t> lengthAt(size_t offset) const {
        ByteReader field(reader_.window().subspan(offset, 4));
        int32_t length = 0;
        field.read(length);
        if (length < 0 || length > kMaxContentLength) return std::nullopt;
        return static_cast<size_t>(length);
    }

    StreamReader& reader_;
};

// What the records of a file are read into: the table itself, or a walk over the
// cells' texts that keeps no table.
class TableTarget {
public:
    explicit TableTarget(Table& table) : table_(table) {}
    bool setFrame(int32_t rows, int32_t columns, int32_t fixedRows, int32_t fixedColumns) {
        if (!table_.setSize(rows, columns)) return false;
        table_.setFixedRows(fixedRows);
        table_.setFixedColumns(fixedColumns);
        return true;
    }
    void setRowHeight(int32_t row, int32_t size) { table_.setRowHeight(row, size); }
    void setColumnWidth(int32_t column, int32_t size) { table_.setColumnWidth(column, size); }
    template <typename Reader>
    ReadError readCell(Reader& reader, int32_t row, int32_t column) {
        if (column == 0) cells_ = table_.rowCells(row);
        return reader.cell(cells_[static_cast<size_t>(column)]);
    }
    PageSettings& pageSettings() { return table_.pageSettings(); }

private:
    Table& table_;
    std::span<Cell> cells_;
};

class TextWalk {
public:
    TextWalk(const CellTextVisitor& visit, const TableFrameVisitor& frame) : visit_(visit), frame_(frame) {}
    bool setFrame(int32_t rows, int32_t columns, int32_t, int32_t) {
        if (frame_) frame_(rows, columns);
        return true;
    }
    void setRowHeight(int32_t, int32_t) {}
    void setColumnWidth(int32_t, int32_t) {}
    template <typename Reader>
    ReadError readCell(Reader& reader, int32_t row, int32_t column) {
        std::string_view text;
        const ReadError error = reader.text(text);
        if (error == ReadError::None) visit_(row, column, text);
        return error;
    }
    PageSettings& pageSettings() { return page_; }

private:
    const CellTextVisitor& visit_;
    const TableFrameVisitor& frame_;
    PageSettings page_;
};

// The frame alone: counts, sizes and page settings; every cell is read and let go.
class SummaryTarget {
public:
    explicit SummaryTarget(TableSummary& summary) : summary_(summary) {}
    bool setFrame(int32_t rows, int32_t columns, int32_t fixedRows, int32_t fixedColumns) {
        summary_.rowHeights.assign(static_cast<size_t>(rows), 0);
        summary_.columnWidths.assign(static_cast<size_t>(columns), 0);
        summary_.fixedRowCount = fixedRows;
        summary_.fixedColumnCount = fixedColumns;
        return true;
    }
    void setRowHeight(int32_t row, int32_t size) { summary_.rowHeights[static_cast<size_t>(row)] = size; }
    void setColumnWidth(int32_t column, int32_t size) { summary_.columnWidths[static_cast<size_t>(column)] = size; }
    template <typename Reader>
    ReadError readCell(Reader& reader, int32_t, int32_t) {
        std::string_view text;
        return reader.text(text);
    }
    PageSettings& pageSettings() { return summary_.page; }

private:
    TableSummary& summary_;
};

template <typename Reader, typename Target>
ReadError readTable(Reader& reader, Target& target) {
    if (!reader.magic()) return ReadError::WrongMagic;
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
    if (!target.setFrame(rows, columns, fixedRows, fixedColumns)) return ReadError::OutOfMemory;

    int32_t size = 0;
    for (int32_t row = 0; row < rows; ++row) {
        reader.read(size);
        target.setRowHeight(row, size);
    }
    for (int32_t column = 0; column < columns; ++column) {
        reader.read(size);
        target.setColumnWidth(column, size);
    }
    for (int32_t row = 0; row < rows; ++row) {
        for (int32_t column = 0; column < columns; ++column) {
            if (ReadError error = target.readCell(reader, row, column); error != ReadError::None) return error;
        }
    }
    if (!reader.pageSettings(target.pageSettings())) return ReadError::Truncated;
    return ReadError::None;
}

}  // namespace

ReadError readTableFile(std::span<const uint8_t> bytes, Table& table) {
    SpanTableReader reader(bytes);
    TableTarget target(table);
    return readTable(reader, target);
}

ReadError readTableFile(StreamReader& stream, Table& table) {
    StreamTableReader reader(stream);
    TableTarget target(table);
    return readTable(reader, target);
}

ReadError readTableSummary(StreamReader& stream, TableSummary& summary) {
    StreamTableReader reader(stream);
    SummaryTarget target(summary);
    return readTable(reader, target);
}

ReadError readCellTexts(StreamReader& stream, const CellTextVisitor& visit, const TableFrameVisitor& frame) {
    StreamTableReader reader(stream);
    TextWalk walk(visit, frame);
    return readTable(reader, walk);
}

}  // namespace grid
