#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace rt {

// A settings file of "[section]" headers and "key=value" lines, read and written the
// way private-profile files are: names compare without regard to letter case, values
// are GBK bytes kept as they are, and a write changes only the line it concerns,
// leaving every other line, comment and line ending of the file untouched.
class ProfileFile {
public:
    // A path in the file system's own encoding, not a GBK text.
    explicit ProfileFile(std::filesystem::path path) : path_(std::move(path)) {}

    const std::filesystem::path& path() const { return path_; }

    // The value of key in section with blanks and one pair of matching quotes
    // trimmed; the fallback when the file, the section or the key is missing. The
    // first of repeated sections or keys counts.
    std::string read(std::string_view section, std::string_view key, std::string_view fallback) const;

    // Sets key in section, creating the file (and its directory), the section or the
    // key when missing. A value with blanks or quotes at either end is written inside
    // quotes so that it reads back unchanged; line breaks in a value become spaces,
    // since a line holds one key. The file is replaced only once the new contents
    // are complete on disk. Returns false when the file cannot be written.
    bool write(std::string_view section, std::string_view key, std::string_view value) const;

private:
    std::filesystem::path path_;
};

}  // namespace rt
