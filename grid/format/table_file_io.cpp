#include "grid/format/table_file_io.h"

#include <sys/stat.h>

#include <algorithm>
#include <new>

#include "grid/format/atomic_file.h"
#include "grid/format/table_file.h"

namespace grid {
ReadError loadTableFile(DataSrc& source, const std::string& path) {
    DataProvider* provider = source.provider();
    if (!provider) return ReadError::NoProvider;
    if (path.empty()) return ReadError::CannotOpen;
    // The file is read as the table is built, a buffer at a time: a copy of the
    // whole file would cost as many fresh pages as the file is long.
    return withRegularFile(path, [&](const ByteSource& bytes, uint64_t size) {
        StreamReader stream(bytes, size);
        if (!stream.ensure(sizeof kTableFileMagic) ||
            !std::equal(kTableFileMagic, kTableFileMagic + sizeof kTableFileMagic, stream.window().begin())) {
            return ReadError::WrongMagic;
        }
        source.notifyBeforeChange();
        ReadError error = ReadError::OutOfMemory;
        try {
            Table table({provider->defaultRowHeight(), provider->defaultColumnWidth()});
            error = readTableFile(stream, table);
            if (error == ReadError::None && !provider->replaceTable(std::move(table))) error = ReadError::NoProvider;
        } catch (const std::bad_alloc&) {
            error = ReadError::OutOfMemory;
        }
        source.notifyTableReset();
        return error;
    });
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
