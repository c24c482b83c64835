#include "grid/format/table_file_signature.h"

#include <algorithm>
#include <fstream>

#include "grid/format/table_file.h"

namespace grid {

bool startsAsTableFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    char head[sizeof kTableFileMagic] = {};
    if (!file.read(head, sizeof head)) return false;
    return std::equal(head, head + sizeof head, kTableFileMagic,
                      [](char byte, uint8_t magic) { return static_cast<uint8_t>(byte) == magic; });
}

}  // namespace grid
