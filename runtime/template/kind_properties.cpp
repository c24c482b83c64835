#include "runtime/template/kind_properties.h"

#include <cstdlib>
#include <span>

#include "runtime/value/byte_reader.h"
#include "runtime/value/number_text.h"

namespace rt {
namespace {

constexpr uint32_t kBlockVersion = 1;

ByteReader readerOf(std::string_view bytes) {
    return ByteReader(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

std::string bytesOf(ByteWriter& out) { return std::string(out.bytes().begin(), out.bytes().end()); }

bool readVersion(ByteReader& in) {
    uint32_t version;
    return in.read(version) && version <= kBlockVersion;
}

}  // namespace

void PropertyBlock::set(std::string name, std::string value) {
    for (auto& [existing, stored] : entries_) {
        if (existing == name) {
            stored = std::move(value);
            return;
        }
    }
    entries_.emplace_back(std::move(name), std::move(value));
}

std::optional<std::string> PropertyBlock::find(std::string_view name) const {
    for (const auto& [existing, value] : entries_) {
        if (existing == name) return value;
    }
    return std::nullopt;
}

std::string PropertyBlock::text(std::string_view name, std::string_view fallback) const {
    return find(name).value_or(std::string(fallback));
}

int32_t PropertyBlock::integer(std::string_view name, int32_t fallback) const {
    auto value = find(name);
    if (!value) return fallback;
    // Colours are written in hexadecimal in the interface files and arrive as such.
    if (value->starts_with("0x") || value->starts_with("0X")) {
        return static_cast<int32_t>(std::strtoul(value->c_str() + 2, nullptr, 16));
    }
    return integerOf(*value);
}

std::vector<std::string> PropertyBlock::lines(std::string_view name) const {
    std::vector<std::string> result;
    auto value = find(name);
    if (!value || value->empty()) return result;
    size_t start = 0;
    for (size_t end; (end = value->find('\n', start)) != std::string::npos; start = end + 1) {
        result.push_back(value->substr(start, end - start));
    }
    result.push_back(value->substr(start));
    return result;
}

std::string PropertyBlock::encode() const {
    ByteWriter out;
    out.write(static_cast<uint32_t>(entries_.size()));
    for (const auto& [name, value] : entries_) {
        out.writeNulTerminated(name);
        out.writeByteString(value);
    }
    return bytesOf(out);
}

std::optional<PropertyBlock> PropertyBlock::decode(std::string_view bytes) {
    PropertyBlock block;
    if (bytes.empty()) return block;
    ByteReader in = readerOf(bytes);
    uint32_t count;
    if (!in.read(count)) return std::nullopt;
    for (uint32_t i = 0; i < count; ++i) {
        std::string name;
        std::string value;
        if (!in.readNulTerminated(name) || !in.readByteString(value)) return std::nullopt;
        block.entries_.emplace_back(std::move(name), std::move(value));
    }
    if (!in.atEnd()) return std::nullopt;
    return block;
}

std::string DataSrcBlock::encode() const {
    ByteWriter out;
    out.write(kBlockVersion);
    out.write(readOnly);
    out.write(allowAdd);
    out.write(allowDelete);
    out.writeByteString(providerName);
    return bytesOf(out);
}

std::optional<DataSrcBlock> DataSrcBlock::decode(std::string_view bytes) {
    DataSrcBlock block;
    ByteReader in = readerOf(bytes);
    if (!(readVersion(in) && in.read(block.readOnly) && in.read(block.allowAdd) && in.read(block.allowDelete) &&
          in.readByteString(block.providerName))) {
        return std::nullopt;
    }
    return block;
}

std::string NProviderBlock::encode() const {
    ByteWriter out;
    out.write(kBlockVersion);
    out.write(rowCount);
    out.write(columnCount);
    return bytesOf(out);
}

std::optional<NProviderBlock> NProviderBlock::decode(std::string_view bytes) {
    NProviderBlock block;
    ByteReader in = readerOf(bytes);
    if (!(readVersion(in) && in.read(block.rowCount) && in.read(block.columnCount))) return std::nullopt;
    return block;
}

std::string ColorPickerBlock::encode() const {
    ByteWriter out;
    out.write(kBlockVersion);
    out.write(color);
    out.write(transparentAllowed);
    return bytesOf(out);
}

std::optional<ColorPickerBlock> ColorPickerBlock::decode(std::string_view bytes) {
    ColorPickerBlock block;
    ByteReader in = readerOf(bytes);
    if (!(readVersion(in) && in.read(block.color) && in.read(block.transparentAllowed))) return std::nullopt;
    return block;
}

}  // namespace rt
