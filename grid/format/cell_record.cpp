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

ReadError readCellRecord(ByteReader& reader, Cell& cell) {
    CellFormat format;
    if (!reader.read(format.flags) || !reader.read(format.textColor) || !reader.read(format.backColor) ||
        !reader.read(format.fontSize) || !reader.read(format.margin)) {
        return ReadError::Truncated;
    }
    std::span<const uint8_t> name;
    if (ReadError error = readLength(reader, name); error != ReadError::None) return error;
    if (name.size() >= kFontNameFieldSize) name = {};
    format.fontName = storedFontName({reinterpret_cast<const char*>(name.data()), name.size()});
    cell.setFormat(format);
    std::span<const uint8_t> content;
    if (ReadError error = readLength(reader, content); error != ReadError::None) return error;
    cell.setContent(content);
    return ReadError::None;
}

}  // namespace grid
