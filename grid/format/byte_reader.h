#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>

namespace grid {

// Reads little-endian fields from bytes in memory; never reads past the end.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t remaining() const { return bytes_.size() - position_; }

    template <typename Integer>
    bool read(Integer& value) {
        if (remaining() < sizeof(Integer)) return false;
        using Unsigned = std::make_unsigned_t<Integer>;
        Unsigned bits = 0;
        for (size_t i = 0; i < sizeof(Integer); ++i) {
            bits |= static_cast<Unsigned>(static_cast<Unsigned>(bytes_[position_ + i]) << (8 * i));
        }
        value = static_cast<Integer>(bits);
        position_ += sizeof(Integer);
        return true;
    }

    // The next count bytes, or nothing when fewer remain.
    bool take(size_t count, std::span<const uint8_t>& out) {
        if (remaining() < count) return false;
        out = bytes_.subspan(position_, count);
        position_ += count;
        return true;
    }

private:
    std::span<const uint8_t> bytes_;
    size_t position_ = 0;
};

}  // namespace grid
