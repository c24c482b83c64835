#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace rt {

// File names cross between the program's GBK texts and the file system, whose names
// are UTF-8 on Linux. Every layer that opens a file named by a text goes through
// these, so "表格1.bge" is the file a person sees under that name. This lives below
// Qt so that the table core can open files too. A GBK byte that starts no character
// becomes U+FFFD; a name character that GBK cannot hold becomes "?".
std::filesystem::path pathFromText(std::string_view gbk);
std::string textFromPath(const std::filesystem::path& path);

}  // namespace rt
