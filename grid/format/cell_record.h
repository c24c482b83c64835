#pragma once

#include <string_view>

#include "runtime/value/byte_reader.h"
#include "grid/format/byte_sink.h"
#include "grid/format/read_error.h"
#include "grid/model/cell.h"

namespace grid {

using rt::ByteReader;

// The smallest cell record: the fixed fields with no face name and no content.
inline constexpr size_t kMinimumCellRecordSize = 24;

// One cell as table files and cell blocks store it: flags, text colour, background,
// font size, margin, then the face name and the content, each after its length.
void writeCellRecord(ByteSink& sink, const Cell& cell);
// The bytes writeCellRecord writes for the cell.
inline size_t cellRecordSize(const Cell& cell) {
    return kMinimumCellRecordSize + cell.fontNameView().size() + cell.contentLength();
}

// Reads a record into cell, replacing every field. A face name of more than 31 bytes
// cannot be the name of a real face (no setter stores one); it is skipped and the
// cell uses the default face, so one odd field does not cost the whole table.
ReadError readCellRecord(ByteReader& reader, Cell& cell);
// Reads a record as readCellRecord does, with the same faults, for its text alone: what
// Cell::text() would give, as a view of the record's bytes.
ReadError readCellRecordText(ByteReader& reader, std::string_view& text);

}  // namespace grid
