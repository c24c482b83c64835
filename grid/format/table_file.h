#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "grid/format/byte_sink.h"
#include "grid/format/read_error.h"
#include "grid/format/stream_reader.h"
#include "grid/model/data_provider.h"
#include "grid/model/table.h"

namespace grid {

inline constexpr uint8_t kTableFileMagic[4] = {'S', 'D', 'm', 'R'};

// The whole table: magic, counts, fixed rows and columns, sizes, every cell record
// row by row, and the page settings block.
void writeTableFile(ByteSink& sink, const DataProvider& provider);
// The same file from a kept table. It only reads the table, so it may run on another
// thread while the live table goes on changing: a kept table's rows are copied
// before the live one writes to them.
void writeTableFile(ByteSink& sink, const Table& table);

// Reads a table file into table, which is resized to the file's counts. Every count
// and length is checked against the limits and against the bytes that are left before
// anything is allocated. On an error the table is left in a consistent state that
// the caller must not use as the file's content.
ReadError readTableFile(std::span<const uint8_t> bytes, Table& table);
// The same from bytes as they are read, with no copy of the whole file in memory.
ReadError readTableFile(StreamReader& reader, Table& table);

// Every cell's text row by row (empty for picture and data cells, as a table's text
// block gives them), read as the file is read without building the table; the checks
// and errors are those of reading the table.
// The frame, when asked for, is told the row and column counts before the first cell.
using CellTextVisitor = std::function<void(int32_t row, int32_t column, std::string_view text)>;
using TableFrameVisitor = std::function<void(int32_t rows, int32_t columns)>;
ReadError readCellTexts(StreamReader& reader, const CellTextVisitor& visit, const TableFrameVisitor& frame = {});

}  // namespace grid
