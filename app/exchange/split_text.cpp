#include "app/exchange/split_text.h"

#include <cstring>

#include "runtime/value/gbk_characters.h"

namespace app {

size_t findSeparator(std::string_view text, size_t from, std::string_view separator) {
    if (separator.empty()) return text.size();
    // A byte below 0x40 is never the trail of a double-byte character, so wherever it
    // occurs a character starts: the common separators (; , tab CR LF) are found at
    // memory speed.
    if (static_cast<uint8_t>(separator[0]) < 0x40) {
        size_t found = text.find(separator, from);
        return found == std::string_view::npos ? text.size() : found;
    }
    for (size_t i = from; i + separator.size() <= text.size();) {
        if (std::memcmp(text.data() + i, separator.data(), separator.size()) == 0) return i;
        i += rt::gbkCharacterLength(text, i);
    }
    return text.size();
}

std::vector<std::string_view> splitText(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> pieces;
    if (separator.empty()) {
        if (!text.empty()) pieces.push_back(text);
        return pieces;
    }
    size_t start = 0;
    while (start < text.size()) {
        size_t found = findSeparator(text, start, separator);
        if (found == text.size()) {
            pieces.push_back(text.substr(start));
            break;
        }
        pieces.push_back(text.substr(start, found - start));
        start = found + separator.size();
    }
    return pieces;
}

}  // namespace app
