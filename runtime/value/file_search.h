#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// File attribute bits of the find-files service.
namespace file_attribute {
inline constexpr uint32_t ReadOnly = 0x01;
inline constexpr uint32_t Hidden = 0x02;
inline constexpr uint32_t Directory = 0x10;
}  // namespace file_attribute

struct FileSearch;

// Runtime service 0: with a pattern ("dir/*.bge"; "*" and "?" in the last part only)
// starts a new search in *handle, with an empty pattern continues the one in
// *handle. Returns the next matching name (without directory) as a new text block,
// or null after closing the handle when nothing more matches. Directories match only
// when the filter has the directory bit, names starting with "." only with the
// hidden bit. "." and ".." are never returned.
char* findNextFile(std::string_view pattern, uint32_t attributeFilter, FileSearch** handle);

// Runtime service 1: closes a search; null is allowed.
void closeFileSearch(FileSearch* handle);

}  // namespace rt
