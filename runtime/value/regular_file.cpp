#include "runtime/value/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

namespace rt {
namespace {

std::optional<std::string> fail(FileReadFailure reason, FileReadFailure* failure) {
    if (failure) *failure = reason;
    return std::nullopt;
}

bool readAll(int descriptor, std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t got = ::read(descriptor, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        done += static_cast<size_t>(got);
    }
    // A file that shrank while it was read ends where the reading stopped.
    bytes.resize(done);
    return true;
}

}  // namespace

int openRegularFile(const std::filesystem::path& path, uint64_t& size, FileReadFailure* failure) {
    if (failure) *failure = FileReadFailure::None;
    struct stat status;
    auto refuse = [failure](FileReadFailure reason) {
        if (failure) *failure = reason;
        return -1;
    };
    if (::stat(path.c_str(), &status) != 0) return refuse(FileReadFailure::Missing);
    if (!S_ISREG(status.st_mode)) return refuse(FileReadFailure::NotRegular);
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) return refuse(errno == ENOENT ? FileReadFailure::Missing : FileReadFailure::CannotRead);
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        const bool regular = S_ISREG(status.st_mode);
        ::close(descriptor);
        return refuse(regular ? FileReadFailure::CannotRead : FileReadFailure::NotRegular);
    }
    size = static_cast<uint64_t>(status.st_size);
    return descriptor;
}

std::optional<std::string> readRegularFile(const std::filesystem::path& path, uint64_t maxBytes,
                                           FileReadFailure* failure) {
    uint64_t size = 0;
    const int descriptor = openRegularFile(path, size, failure);
    if (descriptor < 0) return std::nullopt;
    std::optional<std::string> bytes;
    FileReadFailure reason = FileReadFailure::None;
    if (size > maxBytes) {
        reason = FileReadFailure::TooLarge;
    } else {
        try {
            bytes.emplace(static_cast<size_t>(size), '\0');
            if (!readAll(descriptor, *bytes)) {
                bytes.reset();
                reason = FileReadFailure::CannotRead;
            }
        } catch (const std::bad_alloc&) {
            bytes.reset();
            reason = FileReadFailure::OutOfMemory;
        }
    }
    ::close(descriptor);
    if (!bytes) return fail(reason, failure);
    return bytes;
}

}  // namespace rt
