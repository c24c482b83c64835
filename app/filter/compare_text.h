#pragma once

#include <string>
#include <string_view>

namespace app {

// The single-byte letters A-Z in lower case; double-byte characters stay as they are,
// even when a trail byte happens to be a letter's code.
std::string foldCase(std::string_view gbk);

// Compares two GBK texts character by character: a double-byte character counts as
// lead x 256 + trail, a single byte as its own value; the first difference decides,
// and a text that begins the other sorts before it. Without case sensitivity both are
// folded first. Exactly -1, 0 or 1.
int compareText(std::string_view a, std::string_view b, bool caseSensitive);

// Whether part occurs in text starting at a character of text (case folded unless
// caseSensitive). The empty part occurs in every text but the empty one.
bool containsText(std::string_view text, std::string_view part, bool caseSensitive);

}  // namespace app
