#include "grid/format/cell_record.h"

#include "grid/model/limits.h"

namespace grid {

void writeCellRecord(ByteSink& sink, const Cell& cell) {
    sink.writeLittleEndian(cell.flags);
    sink.writeLittleEndian(cell.textColor);
    sink.writeLittleEndian(cell.backColor);
    sink.writeLittleEndian(cell.fontSize);
    sink.writeLittleEndian(cell.margin);
    std::string_view fontName = cell.fontNameView();
    sink.writeLittleEndian(static_cast<int32_t>(fontName.size()));
    sink.write({reinterpret_cast<const uint8_t*>(fontName.data()), fontName.size()});
    sink.writeLittleEndian(static_cast<int32_t>(cell.contentLength()));
    sink.write(cell.content());
}

namespace {

ReadError readLength(ByteReader& reader, std::span<const uint8_t>& bytes) {
    int32_t length = 0;
    if (!reader.read(length)) return ReadError::Truncated;
    if (length < 0) return ReadError::NegativeField;
    if (length > kMaxContentLength) return ReadError::TooLarge;
    if (!reader.take(static_cast<size_t>(length), bytes)) return ReadError::Truncated;
    return ReadError::None;
}

}  // namespace

ReadError readCellRecord(ByteReader& reader, Cell& cell) {
    if (!reader.read(cell.flags) || !reader.read(cell.textColor) || !reader.read(cell.backColor) ||
        !reader.read(cell.fontSize) || !reader.read(cell.margin)) {
        return ReadError::Truncated;
    }
    std::span<const uint8_t> name;
    if (ReadError error = readLength(reader, name); error != ReadError::None) return error;
    if (name.size() >= kFontNameFieldSize) name = {};
    cell.setStoredFontName({reinterpret_cast<const char*>(name.data()), name.size()});
    std::span<const uint8_t> content;
    if (ReadError error = readLength(reader, content); error != ReadError::None) return error;
    cell.setContent(content);
    return ReadError::None;
}

}  // namespace grid
