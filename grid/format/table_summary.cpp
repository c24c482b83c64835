#include "grid/format/table_summary.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "grid/format/cell_record.h"
#include "grid/format/page_settings_block.h"
#include "grid/format/table_file.h"
#include "grid/model/limits.h"
#include "grid/model/table.h"

namespace grid {
namespace {

// Little-endian fields from a source, through one buffer that is refilled as it
// empties; a field may straddle two fills.
class StreamReader {
public:
    StreamReader(const ByteSource& source, uint64_t size)
        : source_(source), remaining_(size), buffer_(static_cast<size_t>(std::min<uint64_t>(size, kBufferSize))) {}

    // Bytes still to read: in the buffer and not yet given by the source.
    uint64_t remaining() const { return remaining_ + (end_ - begin_); }

    template <typename Integer>
    bool read(Integer& value) {
        uint8_t bytes[sizeof(Integer)];
        if (!copy(bytes, sizeof bytes)) return false;
        std::make_unsigned_t<Integer> bits = 0;
        for (size_t i = 0; i < sizeof(Integer); ++i) bits |= static_cast<decltype(bits)>(bytes[i]) << (8 * i);
        value = static_cast<Integer>(bits);
        return true;
    }

    bool copy(uint8_t* out, size_t count) {
        while (count > 0) {
            if (begin_ == end_ && !refill()) return false;
            const size_t part = std::min(count, end_ - begin_);
            std::copy_n(buffer_.begin() + static_cast<std::ptrdiff_t>(begin_), part, out);
            begin_ += part;
            out += part;
            count -= part;
        }
        return true;
    }

    bool skip(uint64_t count) {
        while (count > 0) {
            if (begin_ == end_ && !refill()) return false;
            const size_t part = static_cast<size_t>(std::min<uint64_t>(count, end_ - begin_));
            begin_ += part;
            count -= part;
        }
        return true;
    }

private:
    bool refill() {
        // Never past the size the reading started with: a file that grows meanwhile
        // is read as it was, as a whole-file read would.
        const auto room = static_cast<size_t>(std::min<uint64_t>(buffer_.size(), remaining_));
        const size_t got = room == 0 ? 0 : source_(buffer_.data(), room);
        if (got == 0 || got > room) return false;
        remaining_ -= got;
        begin_ = 0;
        end_ = got;
        return true;
    }

    const ByteSource& source_;
    // Bytes the source has not given yet.
    uint64_t remaining_;
    static constexpr uint64_t kBufferSize = 1 << 20;
    std::vector<uint8_t> buffer_;
    size_t begin_ = 0;
    size_t end_ = 0;
};

ReadError skipLength(StreamReader& reader) {
    int32_t length = 0;
    if (!reader.read(length)) return ReadError::Truncated;
    if (length < 0) return ReadError::NegativeField;
    if (length > kMaxContentLength) return ReadError::TooLarge;
    if (!reader.skip(static_cast<uint64_t>(length))) return ReadError::Truncated;
    return ReadError::None;
}

// flags, text colour, background colour, font size and margin
constexpr uint64_t kFixedCellFields = 4 + 4 + 4 + 2 + 2;

ReadError skipCellRecord(StreamReader& reader) {
    if (!reader.skip(kFixedCellFields)) return ReadError::Truncated;
    if (ReadError error = skipLength(reader); error != ReadError::None) return error;
    return skipLength(reader);
}

ReadError readSizes(StreamReader& reader, std::vector<int32_t>& sizes) {
    for (int32_t& size : sizes) {
        if (!reader.read(size)) return ReadError::Truncated;
    }
    return ReadError::None;
}

}  // namespace

ReadError readTableSummary(const ByteSource& source, uint64_t size, TableSummary& summary) {
    StreamReader reader(source, size);
    uint8_t magic[sizeof kTableFileMagic];
    if (!reader.copy(magic, sizeof magic) || !std::equal(magic, magic + sizeof magic, kTableFileMagic)) {
        return ReadError::WrongMagic;
    }
    int32_t rows = 0;
    int32_t columns = 0;
    if (!reader.read(rows) || !reader.read(columns) || !reader.read(summary.fixedRowCount) ||
        !reader.read(summary.fixedColumnCount)) {
        return ReadError::Truncated;
    }
    if (rows < 0 || columns < 0) return ReadError::NegativeField;
    if (!fitsLimits(rows, columns)) return ReadError::TooLarge;
    const uint64_t cellCount = uint64_t(rows) * uint64_t(columns);
    const uint64_t smallestRest = 4 * (uint64_t(rows) + uint64_t(columns)) + cellCount * kMinimumCellRecordSize +
                                  kPageSettingsBlockSize;
    if (reader.remaining() < smallestRest) return ReadError::Truncated;
    summary.rowHeights.assign(static_cast<size_t>(rows), 0);
    summary.columnWidths.assign(static_cast<size_t>(columns), 0);
    if (ReadError error = readSizes(reader, summary.rowHeights); error != ReadError::None) return error;
    if (ReadError error = readSizes(reader, summary.columnWidths); error != ReadError::None) return error;
    for (uint64_t cell = 0; cell < cellCount; ++cell) {
        if (ReadError error = skipCellRecord(reader); error != ReadError::None) return error;
    }
    uint8_t block[kPageSettingsBlockSize];
    if (!reader.copy(block, sizeof block)) return ReadError::Truncated;
    ByteReader blockReader(block);
    readPageSettingsBlock(blockReader, summary.page);
    return ReadError::None;
}

ReadError readTableSummary(const std::string& path, TableSummary& summary) {
    struct stat named;
    if (::stat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode)) return ReadError::CannotOpen;
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) return ReadError::CannotOpen;
    struct stat opened;
    ReadError error = ReadError::CannotOpen;
    if (::fstat(descriptor, &opened) == 0 && S_ISREG(opened.st_mode)) {
        // A file that shrinks while it is read ends where the reading stops.
        ByteSource source = [descriptor](uint8_t* into, size_t room) -> size_t {
            for (;;) {
                const ssize_t got = ::read(descriptor, into, room);
                if (got < 0 && errno == EINTR) continue;
                return got > 0 ? static_cast<size_t>(got) : 0;
            }
        };
        error = readTableSummary(source, static_cast<uint64_t>(opened.st_size), summary);
    }
    ::close(descriptor);
    return error;
}

}  // namespace grid
