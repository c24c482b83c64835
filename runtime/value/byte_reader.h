#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

namespace rt {

// Reads little-endian fields from bytes in memory. Every read checks what is left
// first and fails without moving when the field does not fit, so a reader of a
// damaged file can never run past its end.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t remaining() const { return bytes_.size() - position_; }
    size_t position() const { return position_; }
    bool atEnd() const { return remaining() == 0; }

    template <typename Integer>
    bool read(Integer& value) {
        static_assert(std::is_integral_v<Integer>);
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

    bool take(size_t count, std::span<const uint8_t>& out) {
        if (remaining() < count) return false;
        out = bytes_.subspan(position_, count);
        position_ += count;
        return true;
    }

    bool skip(size_t count) {
        std::span<const uint8_t> ignored;
        return take(count, ignored);
    }

    // A 32-bit length and that many bytes.
    bool readByteString(std::string& out) {
        uint32_t length;
        std::span<const uint8_t> bytes;
        size_t start = position_;
        if (!read(length) || !take(length, bytes)) {
            position_ = start;
            return false;
        }
        out.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return true;
    }

    // Bytes up to a NUL, which is consumed; fails when no NUL is left.
    bool readNulTerminated(std::string& out) {
        for (size_t end = position_; end < bytes_.size(); ++end) {
            if (bytes_[end] != 0) continue;
            out.assign(reinterpret_cast<const char*>(bytes_.data() + position_), end - position_);
            position_ = end + 1;
            return true;
        }
        return false;
    }

private:
    std::span<const uint8_t> bytes_;
    size_t position_ = 0;
};

// Appends little-endian fields to a byte vector.
class ByteWriter {
public:
    template <typename Integer>
    void write(Integer value) {
        static_assert(std::is_integral_v<Integer>);
        using Unsigned = std::make_unsigned_t<Integer>;
        auto bits = static_cast<Unsigned>(value);
        for (size_t i = 0; i < sizeof(Integer); ++i) bytes_.push_back(static_cast<uint8_t>(bits >> (8 * i)));
    }
    void writeBytes(std::span<const uint8_t> bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
    void writeBytes(const std::string& bytes) {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    }
    void writeZeros(size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    void writeByteString(const std::string& bytes) {
        write(static_cast<uint32_t>(bytes.size()));
        writeBytes(bytes);
    }
    void writeNulTerminated(const std::string& text) {
        writeBytes(text);
        bytes_.push_back(0);
    }

    std::vector<uint8_t>& bytes() { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

}  // namespace rt
