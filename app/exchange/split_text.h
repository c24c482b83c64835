#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace app {

// The first occurrence of separator in text at or after from, compared byte for byte
// but never starting inside a double-byte character; text.size() when there is none.
// from must be the start of a character.
size_t findSeparator(std::string_view text, size_t from, std::string_view separator);

// The pieces of text between the separators. A piece before a separator is taken
// even when empty, the remainder after the last one only when it is not, so a text
// that ends with the separator has no empty last piece. An empty text gives no
// pieces; an empty separator gives the whole text as one.
std::vector<std::string_view> splitText(std::string_view text, std::string_view separator);

}  // namespace app
