#include "app/document/title_texts.h"

namespace app {
namespace {

// The two title texts are kept scrambled so that they do not show as plain strings
// in the program file; these are the GBK bytes after scrambling.
constexpr std::string_view kStoredTitle = "\xD3\xE7\xB8\xB1\xD7\xF1\xED\xB5";
constexpr std::string_view kStoredStartUpText = "\xAD\xB6\xD3\xCA\xD3\xC3\xB9\xBB";

}  // namespace

std::string unscrambleText(std::string_view stored) {
    size_t length = stored.size();
    std::string dealt;
    dealt.reserve(length);
    for (size_t position = 1; position < length; position += 2) dealt.push_back(stored[position]);
    for (size_t position = 0; position < length; position += 2) dealt.push_back(stored[position]);
    // Counts of the positions 1, 2 and 0 modulo 3, counted from 1.
    size_t first = (length + 2) / 3;
    size_t second = (length + 1) / 3;
    size_t third = length / 3;
    std::string plain;
    plain.reserve(length);
    for (size_t k = 0; k <= third; ++k) {
        if (k < first) plain.push_back(dealt[second + k]);
        if (k < second) plain.push_back(dealt[k]);
        if (k < third) plain.push_back(dealt[first + second + k]);
    }
    return plain;
}

std::string applicationTitle() { return unscrambleText(kStoredTitle); }
std::string startUpCaptionText() { return unscrambleText(kStoredStartUpText); }

}  // namespace app
