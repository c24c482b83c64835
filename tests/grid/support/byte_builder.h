#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Builds table files and cell blocks by hand, little-endian, for tests that need
// damaged or unusual input.
class ByteBuilder {
public:
    ByteBuilder& raw(std::string_view bytes) {
        bytes_ += bytes;
        return *this;
    }
    ByteBuilder& int32(int64_t value) { return little(static_cast<uint32_t>(value), 4); }
    ByteBuilder& int16(int32_t value) { return little(static_cast<uint16_t>(value), 2); }
    // A cell record with the given face name and content (content taken as is).
    ByteBuilder& cell(uint32_t flags, std::string_view fontName, std::string_view content) {
        int32(flags).int32(0).int32(0xFF000000).int16(40).int16(9);
        int32(static_cast<int64_t>(fontName.size())).raw(fontName);
        return int32(static_cast<int64_t>(content.size())).raw(content);
    }
    ByteBuilder& defaultPageSettings() {
        int32(230).int32(230).int32(230).int32(230).int16(0).int16(100).int16(0).int16(1);
        return int32(0).int32(0).int32(0);
    }
    const std::string& str() const { return bytes_; }

private:
    ByteBuilder& little(uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes_ += static_cast<char>((value >> (8 * i)) & 0xFF);
        return *this;
    }
    std::string bytes_;
};
