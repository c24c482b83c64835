#pragma once

#include <cstddef>
#include <string_view>

namespace grid {

// Finding a text inside another as a person reads them: GBK characters, never the
// trail byte of one character and the lead byte of the next (the trail bytes of
// double-byte characters include the ASCII letters). Without matchCase the ASCII
// letters match in either case; double-byte characters always match exactly.

// The offset of the first occurrence of needle at or after from (a character
// boundary), or npos. An empty needle never occurs.
size_t findGbk(std::string_view text, std::string_view needle, size_t from, bool matchCase);

// Whether the two texts are the same characters.
bool equalsGbk(std::string_view text, std::string_view needle, bool matchCase);

}  // namespace grid
