#include "grid/view/cell_pictures.h"

#include <sys/stat.h>

#include <QByteArrayView>
#include <QCryptographicHash>
#include <algorithm>
#include <string>

#include "grid/model/limits.h"
#include "runtime/value/file_name.h"
#include "runtime/value/regular_file.h"

namespace grid {
namespace {

PictureKey keyOfBytes(std::span<const uint8_t> bytes) {
    // A strong digest: a table from a stranger must not be able to make one cell show
    // another cell's picture.
    const QByteArray digest = QCryptographicHash::hash(
        QByteArrayView(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())),
        QCryptographicHash::Sha256);
    PictureKey key;
    key.source = PictureKey::Source::CellBytes;
    std::copy_n(reinterpret_cast<const uint8_t*>(digest.constData()), key.digest.size(), key.digest.begin());
    key.size = bytes.size();
    return key;
}

// A linked file is only ever a regular file; a FIFO, a device or a folder shows
// nothing and is never opened.
std::optional<PictureKey> keyOfFile(const std::string& name) {
    struct stat status;
    if (name.empty() || ::stat(rt::pathFromText(name).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    PictureKey key;
    key.source = PictureKey::Source::File;
    key.size = static_cast<uint64_t>(status.st_size);
    key.device = status.st_dev;
    key.inode = status.st_ino;
    key.modifiedNanoseconds = int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec;
    return key;
}

CellPicture readPictureFile(const std::string& name) {
    std::optional<std::string> bytes = rt::readRegularFile(rt::pathFromText(name), kMaxContentLength);
    if (!bytes) return {};
    return decodePicture(std::span(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()));
}

}  // namespace

const CellPicture& CellPictures::pictureOf(int32_t row, int32_t column, const Cell& cell) {
    static const CellPicture nothing;
    const CellKind kind = cell.kind();
    if (kind != CellKind::VerbatimText && kind != CellKind::Picture) return nothing;
    auto position = std::make_pair(row, column);
    auto found = keys_.find(position);
    if (found == keys_.end()) {
        std::optional<PictureKey> key =
            kind == CellKind::Picture ? keyOfBytes(cell.content()) : keyOfFile(std::string(cell.text()));
        found = keys_.emplace(position, key).first;
    }
    if (!found->second) return nothing;
    if (kind == CellKind::Picture) return cache_.find(*found->second, [&cell] { return decodePicture(cell.content()); });
    return cache_.find(*found->second, [&cell] { return readPictureFile(std::string(cell.text())); });
}

void CellPictures::forget(const CellRange& range) {
    for (auto it = keys_.lower_bound({range.row, range.column}); it != keys_.end();) {
        auto [row, column] = it->first;
        if (row > range.lastRow()) break;
        if (column >= range.column && column <= range.lastColumn()) {
            it = keys_.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace grid
