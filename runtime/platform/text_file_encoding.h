#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// Whole text files in one of the encodings a person exchanges tables in. A table holds
// GBK; a file may come in UTF-8 as well.

// A UTF-8 file converted to GBK, with what GBK could not hold: each such character
// (and each byte that is not UTF-8) became "?", and the caller tells the person.
struct GbkFromUtf8 {
    std::string text;
    int64_t unmappable = 0;
    // The 1-based line (counted by line feeds) of the first unmappable character; 0
    // when there is none.
    int64_t firstUnmappableLine = 0;
};

GbkFromUtf8 utf8ToGbkReporting(std::string_view utf8);

bool isWellFormedUtf8(std::string_view bytes);

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace rt
