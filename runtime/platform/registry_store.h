#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace rt {

// A registry root of keys with their default values, kept in a settings file. Key
// paths are GBK texts with "\" between keys; names compare without regard to letter
// case, and one trailing "\" names the key's default value, as in the registry.
// Writing a value creates the key and every key above it.
class RegistryStore {
public:
    explicit RegistryStore(std::filesystem::path file) : file_(std::move(file)) {}

    std::optional<std::string> defaultValue(std::string_view keyPath) const;
    // False when the path names no key or the store cannot be written.
    bool setDefaultValue(std::string_view keyPath, std::string_view value) const;

private:
    std::filesystem::path file_;
};

// The key path without its trailing "\" and empty names; empty when it names no key.
std::string normalisedKeyPath(std::string_view keyPath);

// Where the user's file-type keys live: $XDG_CONFIG_HOME (or ~/.config), "biaoge".
std::filesystem::path classesRegistryPath();

}  // namespace rt
