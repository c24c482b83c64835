#include "runtime/platform/registry_store.h"

#include <cstdlib>
#include <vector>

#include "runtime/platform/profile_file.h"

namespace rt {
namespace {

// The store is one section of a profile file: the key path is the profile key and
// the default value its value, which gives the registry's case-insensitive names.
constexpr std::string_view kSection = "HKEY_CLASSES_ROOT";

bool isGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// Splits at "\" bytes that are characters of their own: in GBK a backslash can also
// be the second byte of a double-byte character.
std::vector<std::string> keyNames(std::string_view keyPath) {
    std::vector<std::string> names(1);
    for (size_t index = 0; index < keyPath.size(); ++index) {
        unsigned char byte = static_cast<unsigned char>(keyPath[index]);
        if (isGbkLeadByte(byte) && index + 1 < keyPath.size()) {
            names.back() += keyPath.substr(index, 2);
            ++index;
        } else if (byte == '\\') {
            names.emplace_back();
        } else {
            names.back() += static_cast<char>(byte);
        }
    }
    return names;
}

// A profile line holds "name=value", and a line starting with ";" or "[" is no key.
bool fitsProfileKey(const std::string& path) {
    return !path.empty() && path.find('=') == std::string::npos && path.find('\n') == std::string::npos &&
           path.front() != ';' && path.front() != '[';
}

}  // namespace

std::string normalisedKeyPath(std::string_view keyPath) {
    std::string path;
    for (const std::string& name : keyNames(keyPath)) {
        if (name.empty()) continue;
        if (!path.empty()) path += '\\';
        path += name;
    }
    return path;
}

std::optional<std::string> RegistryStore::defaultValue(std::string_view keyPath) const {
    std::string path = normalisedKeyPath(keyPath);
    if (!fitsProfileKey(path)) return std::nullopt;
    // No text written by setDefaultValue can hold a NUL, so it marks a missing value.
    constexpr std::string_view missing("\0", 1);
    std::string value = ProfileFile(file_).read(kSection, path, missing);
    if (value == missing) return std::nullopt;
    return value;
}

bool RegistryStore::setDefaultValue(std::string_view keyPath, std::string_view value) const {
    std::string path = normalisedKeyPath(keyPath);
    if (!fitsProfileKey(path) || value.find('\0') != std::string_view::npos) return false;
    return ProfileFile(file_).write(kSection, path, value);
}

std::filesystem::path classesRegistryPath() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (configHome && *configHome == '/') {
        base = configHome;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home && *home ? home : "/tmp") / ".config";
    }
    return base / "biaoge" / "classes.reg";
}

}  // namespace rt
