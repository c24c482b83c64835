#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "grid/format/read_error.h"

namespace grid {

// Fills `into` with up to `room` bytes of what follows and says how many it gave; 0
// at the end (or on a failed read).
using ByteSource = std::function<size_t(uint8_t* into, size_t room)>;

// Little-endian fields from a source of a known size, through one buffer that is
// refilled as it empties, so a file of tens of megabytes is read without a copy of
// it in memory. Every read checks what is left first, as rt::ByteReader does.
class StreamReader {
public:
    StreamReader(const ByteSource& source, uint64_t size);

    // Bytes still to read: those in the buffer and those the source has not given.
    uint64_t remaining() const { return remaining_ + (end_ - begin_); }

    template <typename Integer>
    bool read(Integer& value) {
        static_assert(std::is_integral_v<Integer>);
        uint8_t bytes[sizeof(Integer)];
        if (!copy(bytes, sizeof bytes)) return false;
        std::make_unsigned_t<Integer> bits = 0;
        for (size_t i = 0; i < sizeof(Integer); ++i) {
            bits |= static_cast<std::make_unsigned_t<Integer>>(static_cast<std::make_unsigned_t<Integer>>(bytes[i])
                                                               << (8 * i));
        }
        value = static_cast<Integer>(bits);
        return true;
    }
    bool copy(uint8_t* out, size_t count);
    bool skip(uint64_t count);

    // Makes at least `count` bytes readable at once (the buffer grows for a record
    // larger than it); false when fewer are left.
    bool ensure(size_t count);
    // The bytes readable at once, for a reader of whole records, and how many of them
    // that reader used.
    std::span<const uint8_t> window() const { return {buffer_.data() + begin_, end_ - begin_}; }
    void consume(size_t count) { begin_ += count; }

private:
    // Reads more after the buffered bytes; false when the source gives nothing.
    bool fillAfterBuffered();

    const ByteSource& source_;
    // Bytes the source has not given yet.
    uint64_t remaining_;
    std::vector<uint8_t> buffer_;
    size_t begin_ = 0;
    size_t end_ = 0;
};

// Calls `use` with a regular file's bytes as a source, and returns what it returns;
// CannotOpen when the path names no regular file or it cannot be opened (opened as
// rt::openRegularFile opens it: never waiting, never a FIFO or a device).
ReadError withRegularFile(const std::string& path,
                          const std::function<ReadError(const ByteSource& source, uint64_t size)>& use);

}  // namespace grid
