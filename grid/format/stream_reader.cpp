#include "grid/format/stream_reader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "runtime/value/regular_file.h"

namespace grid {
namespace {

constexpr uint64_t kBufferSize = 1 << 20;

}  // namespace

StreamReader::StreamReader(const ByteSource& source, uint64_t size)
    : source_(source), remaining_(size), buffer_(static_cast<size_t>(std::min(size, kBufferSize))) {}

bool StreamReader::copy(uint8_t* out, size_t count) {
    while (count > 0) {
        if (begin_ == end_ && !fillAfterBuffered()) return false;
        const size_t part = std::min(count, end_ - begin_);
        std::memcpy(out, buffer_.data() + begin_, part);
        begin_ += part;
        out += part;
        count -= part;
    }
    return true;
}

bool StreamReader::skip(uint64_t count) {
    while (count > 0) {
        if (begin_ == end_ && !fillAfterBuffered()) return false;
        const auto part = static_cast<size_t>(std::min<uint64_t>(count, end_ - begin_));
        begin_ += part;
        count -= part;
    }
    return true;
}

bool StreamReader::ensure(size_t count) {
    if (end_ - begin_ >= count) return true;
    if (count > remaining()) return false;
    // What is left moves to the front, so that the record ends up in one piece.
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
    if (buffer_.size() < count) buffer_.resize(count);
    while (end_ < count) {
        if (!fillAfterBuffered()) return false;
    }
    return true;
}

bool StreamReader::fillAfterBuffered() {
    if (begin_ == end_) begin_ = end_ = 0;
    // Never past the size the reading started with: a file that grows meanwhile is
    // read as it was.
    const auto room = static_cast<size_t>(std::min<uint64_t>(buffer_.size() - end_, remaining_));
    const size_t got = room == 0 ? 0 : source_(buffer_.data() + end_, room);
    if (got == 0 || got > room) return false;
    remaining_ -= got;
    end_ += got;
    return true;
}

ReadError withRegularFile(const std::string& path,
                          const std::function<ReadError(const ByteSource& source, uint64_t size)>& use) {
    uint64_t size = 0;
    const int descriptor = rt::openRegularFile(path, size);
    if (descriptor < 0) return ReadError::CannotOpen;
    // A file that shrinks while it is read ends where the reading stops.
    const ByteSource source = [descriptor](uint8_t* into, size_t room) -> size_t {
        for (;;) {
            const ssize_t got = ::read(descriptor, into, room);
            if (got < 0 && errno == EINTR) continue;
            return got > 0 ? static_cast<size_t>(got) : 0;
        }
    };
    const ReadError result = use(source, size);
    ::close(descriptor);
    return result;
}

}  // namespace grid
