#pragma once

#include <string>
#include <string_view>

namespace app {

// A path text cut at its last directory separator.
struct PathParts {
    std::string directory;  // up to and including the separator; empty without one
    std::string fileName;
};

PathParts splitPath(std::string_view path);
// The file name without its last extension: "a.b.bge" gives "a.b", "readme" itself.
std::string baseNameOf(std::string_view fileName);
// The backup that an opened table file gets beside itself: same directory and base
// name, extension ".bfe".
std::string backupPathFor(std::string_view tablePath);

}  // namespace app
