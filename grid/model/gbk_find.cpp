#include "grid/model/gbk_find.h"

#include <cstring>

#include "runtime/value/gbk_characters.h"

namespace grid {
namespace {

char foldedAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether needle's characters are the text's from `at`, a character boundary. The
// characters are walked in step so that a single byte of the needle never matches
// the lead byte of a double-byte character of the text.
bool occursAt(std::string_view text, size_t at, std::string_view needle, bool matchCase) {
    if (text.size() - at < needle.size()) return false;
    if (matchCase && std::memcmp(text.data() + at, needle.data(), needle.size()) != 0) return false;
    for (size_t i = 0; i < needle.size();) {
        const size_t length = rt::gbkCharacterLength(needle, i);
        if (rt::gbkCharacterLength(text, at + i) != length) return false;
        if (length == 1 ? foldedAscii(text[at + i]) != foldedAscii(needle[i])
                        : text.compare(at + i, 2, needle, i, 2) != 0) {
            return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

size_t findGbk(std::string_view text, std::string_view needle, size_t from, bool matchCase) {
    if (needle.empty()) return std::string_view::npos;
    const char first = foldedAscii(needle.front());
    for (size_t at = from; at + needle.size() <= text.size(); at += rt::gbkCharacterLength(text, at)) {
        if (foldedAscii(text[at]) == first && occursAt(text, at, needle, matchCase)) return at;
    }
    return std::string_view::npos;
}

bool equalsGbk(std::string_view text, std::string_view needle, bool matchCase) {
    return text.size() == needle.size() && occursAt(text, 0, needle, matchCase);
}

}  // namespace grid
