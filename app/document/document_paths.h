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
// The backup that an opened table file gets beside itself, in the same directory:
// "a.bge" backs up to "a.bfe" (as it always has); every other name keeps its whole
// file name before ".bfe" ("a.mob.bfe", "a.bfe.bfe"), and a name without extension
// gets an empty one ("a..bfe"), so that no two files of one folder share a backup and
// opening a backup never writes over itself.
std::string backupPathFor(std::string_view tablePath);

}  // namespace app
