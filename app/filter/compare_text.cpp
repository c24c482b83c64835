#include "app/filter/compare_text.h"

#include <cstdint>
#include <cstring>

#include "runtime/value/gbk_characters.h"

namespace app {
namespace {

uint32_t characterValue(std::string_view text, size_t i, size_t length) {
    auto lead = static_cast<uint8_t>(text[i]);
    return length == 2 ? lead * 256u + static_cast<uint8_t>(text[i + 1]) : lead;
}

int compareCharacters(std::string_view a, std::string_view b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        size_t lengthA = rt::gbkCharacterLength(a, i);
        size_t lengthB = rt::gbkCharacterLength(b, j);
        uint32_t valueA = characterValue(a, i, lengthA);
        uint32_t valueB = characterValue(b, j, lengthB);
        if (valueA != valueB) return valueA > valueB ? 1 : -1;
        i += lengthA;
        j += lengthB;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

}  // namespace

std::string foldCase(std::string_view gbk) {
    std::string folded(gbk);
    for (size_t i = 0; i < folded.size();) {
        size_t length = rt::gbkCharacterLength(folded, i);
        if (length == 1 && folded[i] >= 'A' && folded[i] <= 'Z') folded[i] = static_cast<char>(folded[i] - 'A' + 'a');
        i += length;
    }
    return folded;
}

int compareText(std::string_view a, std::string_view b, bool caseSensitive) {
    if (caseSensitive) return compareCharacters(a, b);
    return compareCharacters(foldCase(a), foldCase(b));
}

bool containsText(std::string_view text, std::string_view part, bool caseSensitive) {
    if (text.empty()) return false;
    if (part.empty()) return true;
    std::string foldedText;
    std::string foldedPart;
    if (!caseSensitive) {
        foldedText = foldCase(text);
        foldedPart = foldCase(part);
        text = foldedText;
        part = foldedPart;
    }
    for (size_t i = 0; i + part.size() <= text.size(); i += rt::gbkCharacterLength(text, i)) {
        if (std::memcmp(text.data() + i, part.data(), part.size()) == 0) return true;
    }
    return false;
}

}  // namespace app
