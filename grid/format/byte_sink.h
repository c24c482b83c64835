#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>
#include <vector>

namespace grid {

// Where encoded bytes go: a file through its buffer, or a block in memory.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void write(std::span<const uint8_t> bytes) = 0;

    template <typename Integer>
    void writeLittleEndian(Integer value) {
        uint8_t bytes[sizeof(Integer)];
        auto bits = static_cast<std::make_unsigned_t<Integer>>(value);
        for (size_t i = 0; i < sizeof(Integer); ++i) bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
        write(bytes);
    }
};

class MemorySink : public ByteSink {
public:
    void write(std::span<const uint8_t> bytes) override { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
    std::vector<uint8_t>& bytes() { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

}  // namespace grid
