#include "grid/format/table_file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>
#include <vector>

#include "grid/format/atomic_file.h"
#include "grid/format/table_file.h"

namespace grid {
namespace {

// Only a regular file is read, and opening never waits: a table named by a stranger
// may be a FIFO (opening it would hang) or a device (reading it would never end). The
// look before opening keeps devices closed; the look after it catches a swapped name.
ReadError readWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    struct stat named;
    if (::stat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode)) return ReadError::CannotOpen;
    int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) return ReadError::CannotOpen;
    struct stat status;
    ReadError error = ReadError::None;
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        error = ReadError::CannotOpen;
    } else {
        try {
            bytes.resize(static_cast<size_t>(status.st_size));
            size_t done = 0;
            while (done < bytes.size()) {
                ssize_t got = ::read(descriptor, bytes.data() + done, bytes.size() - done);
                if (got < 0 && errno == EINTR) continue;
                if (got <= 0) break;
                done += static_cast<size_t>(got);
            }
            // A file that shrank while we read it ends where the reading stopped.
            bytes.resize(done);
        } catch (const std::bad_alloc&) {
            error = ReadError::OutOfMemory;
        }
    }
    ::close(descriptor);
    return error;
}

bool hasTableMagic(const std::vector<uint8_t>& bytes) {
    return bytes.size() >= sizeof kTableFileMagic && std::equal(kTableFileMagic, kTableFileMagic + 4, bytes.begin());
}

}  // namespace

ReadError loadTableFile(DataSrc& source, const std::string& path) {
    DataProvider* provider = source.provider();
    if (!provider) return ReadError::NoProvider;
    if (path.empty()) return ReadError::CannotOpen;
    std::vector<uint8_t> bytes;
    if (ReadError error = readWholeFile(path, bytes); error != ReadError::None) return error;
    if (!hasTableMagic(bytes)) return ReadError::WrongMagic;

    source.notifyBeforeChange();
    ReadError error = ReadError::OutOfMemory;
    try {
        Table table({provider->defaultRowHeight(), provider->defaultColumnWidth()});
        error = readTableFile(bytes, table);
        if (error == ReadError::None && !provider->replaceTable(std::move(table))) error = ReadError::NoProvider;
    } catch (const std::bad_alloc&) {
        error = ReadError::OutOfMemory;
    }
    source.notifyTableReset();
    return error;
}

bool saveTableFile(const DataSrc& source, const std::string& path, const WriteRules& rules) {
    if (!source.provider() || path.empty()) return false;
    AtomicFile file(path, rules);
    if (!file.isOpen()) return false;
    writeTableFile(file, *source.provider());
    return file.commit();
}

bool saveTableFile(const Table& table, const std::string& path, const WriteRules& rules) {
    if (path.empty()) return false;
    AtomicFile file(path, rules);
    if (!file.isOpen()) return false;
    writeTableFile(file, table);
    return file.commit();
}

bool saveBackupFile(const DataSrc& source, const std::string& backupPath, const std::string& originalPath) {
    struct stat original;
    if (::stat(originalPath.c_str(), &original) != 0) return false;
    return saveTableFile(source, backupPath, {TargetRule::OwnRegularFileOnly, original.st_mode});
}

}  // namespace grid
