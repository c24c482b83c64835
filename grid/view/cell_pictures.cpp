#include "grid/view/cell_pictures.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "grid/model/limits.h"
#include "grid/view/picture_decoder.h"
#include "runtime/value/file_name.h"

namespace grid {
namespace {

QImage readPictureFile(std::string_view name) {
    if (name.empty()) return {};
    std::ifstream file(rt::pathFromText(name), std::ios::binary);
    if (!file) return {};
    file.seekg(0, std::ios::end);
    std::streamoff size = file.tellg();
    if (size <= 0 || size > kMaxContentLength) return {};
    file.seekg(0);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) return {};
    return decodePicture(bytes);
}

QImage decodeCell(const Cell& cell) {
    switch (cell.kind()) {
        case CellKind::VerbatimText: return readPictureFile(cell.text());
        case CellKind::Picture: return decodePicture(cell.content());
        default: return {};
    }
}

}  // namespace

const QImage& CellPictures::pictureOf(int32_t row, int32_t column, const Cell& cell) {
    auto key = std::make_pair(row, column);
    auto found = pictures_.find(key);
    if (found == pictures_.end()) found = pictures_.emplace(key, decodeCell(cell)).first;
    return found->second;
}

void CellPictures::forget(const CellRange& range) {
    for (auto it = pictures_.lower_bound({range.row, range.column}); it != pictures_.end();) {
        auto [row, column] = it->first;
        if (row > range.lastRow()) break;
        if (column >= range.column && column <= range.lastColumn()) {
            it = pictures_.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace grid
