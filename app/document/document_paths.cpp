#include "app/document/document_paths.h"

namespace app {

// Paths are GBK texts. Neither "/" nor "." can be the second byte of a double-byte
// GBK character, so searching the bytes for them never cuts a character in half.
PathParts splitPath(std::string_view path) {
    size_t separator = path.rfind('/');
    if (separator == std::string_view::npos) return {{}, std::string(path)};
    return {std::string(path.substr(0, separator + 1)), std::string(path.substr(separator + 1))};
}

std::string baseNameOf(std::string_view fileName) {
    size_t period = fileName.rfind('.');
    return std::string(period == std::string_view::npos ? fileName : fileName.substr(0, period));
}

std::string backupPathFor(std::string_view tablePath) {
    PathParts parts = splitPath(tablePath);
    const std::string base = baseNameOf(parts.fileName);
    if (base == parts.fileName) return parts.directory + parts.fileName + "..bfe";
    std::string_view extension = std::string_view(parts.fileName).substr(base.size());
    if (extension == ".bge") return parts.directory + base + ".bfe";
    return parts.directory + parts.fileName + ".bfe";
}

}  // namespace app
