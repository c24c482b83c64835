#include "grid/format/cell_record.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <type_traits>

#include "grid/model/limits.h"

namespace grid {
namespace {

// Millions of records are written per save: on a little-endian machine a field is
// copied as it is, elsewhere put together byte by byte.
template <typename Integer>
uint8_t* putLittleEndian(uint8_t* at, Integer value) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(at, &value, sizeof value);
        return at + sizeof value;
    }
    auto bits = static_cast<std::make_unsigned_t<Integer>>(value);
    for (size_t i = 0; i < sizeof(Integer); ++i) *at++ = static_cast<uint8_t>(bits >> (8 * i));
    return at;
}

ReadError readLength(ByteReader& reader, std::span<const uint8_t>& bytes) {
    int32_t length = 0;
    if (!reader.read(length)) return ReadError::Truncated;
    if (length < 0) return ReadError::NegativeField;
    if (length > kMaxContentLength) return ReadError::TooLarge;
    if (!reader.take(static_cast<size_t>(length), bytes)) return ReadError::Truncated;
    return ReadError::None;
}

}  // namespace

// A record is put together in one buffer and handed over whole: a table file is
// millions of records, and one call per field would cost more than the bytes.
void writeCellRecord(ByteSink& sink, const Cell& cell) {
    constexpr size_t kFixedPart = kMinimumCellRecordSize + (kFontNameFieldSize - 1);
    constexpr size_t kInlineContent = 64;
    uint8_t record[kFixedPart + kInlineContent];
    const std::string_view fontName = cell.fontNameView();
    const std::span<const uint8_t> content = cell.content();
    uint8_t* at = record;
    at = putLittleEndian(at, cell.flags());
    at = putLittleEndian(at, cell.textColor());
    at = putLittleEndian(at, cell.backColor());
    at = putLittleEndian(at, cell.fontSize());
    at = putLittleEndian(at, cell.margin());
    at = putLittleEndian(at, static_cast<int32_t>(fontName.size()));
    at = std::copy(fontName.begin(), fontName.end(), at);
    at = putLittleEndian(at, static_cast<int32_t>(content.size()));
    if (content.size() <= kInlineContent) {
        at = std::copy(content.begin(), content.end(), at);
        sink.write({record, static_cast<size_t>(at - record)});
        return;
    }
    sink.write({record, static_cast<size_t>(at - record)});
    sink.write(content);
}

namespace {

// A record's fields as they stand in the bytes: the format without its face, and the
// face name and content as views of the record.
struct RecordFields {
    CellFormat format;
    std::span<const uint8_t> name;
    std::span<const uint8_t> content;
};

ReadError readFields(ByteReader& reader, RecordFields& fields) {
    CellFormat& format = fields.format;
    if (!reader.read(format.flags) || !reader.read(format.textColor) || !reader.read(format.backColor) ||
        !reader.read(format.fontSize) || !reader.read(format.margin)) {
        return ReadError::Truncated;
    }
    if (ReadError error = readLength(reader, fields.name); error != ReadError::None) return error;
    if (fields.name.size() >= kFontNameFieldSize) fields.name = {};
    return readLength(reader, fields.content);
}

}  // namespace

ReadError readCellRecord(ByteReader& reader, Cell& cell) {
    RecordFields fields;
    if (ReadError error = readFields(reader, fields); error != ReadError::None) return error;
    fields.format.fontName = storedFontName({reinterpret_cast<const char*>(fields.name.data()), fields.name.size()});
    cell.setFormat(fields.format);
    cell.setContent(fields.content);
    return ReadError::None;
}

ReadError readCellRecordText(ByteReader& reader, std::string_view& text) {
    RecordFields fields;
    if (ReadError error = readFields(reader, fields); error != ReadError::None) return error;
    text = {};
    if (isDataKind(kindOf(fields.format.flags))) return ReadError::None;
    // As a cell's text: up to the first NUL, or all of a content that has none.
    const auto* first = reinterpret_cast<const char*>(fields.content.data());
    text = std::string_view(first, fields.content.size());
    text = text.substr(0, text.find('\0'));
    return ReadError::None;
}

}  // namespace grid
