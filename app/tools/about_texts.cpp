#include "app/tools/about_texts.h"

#include <charconv>

#include "app/document/title_texts.h"

namespace app {
namespace {

constexpr std::string_view kStoredContact =
    "\x40\xAA\x61\xA3\x6C\x69\x6F\x67\xCF\x65\xBA\x6D\x61\x65\x65\x72\x78\xC1\x70\xB5\x2E\x62\x67\x6F";
constexpr std::string_view kStoredContactLink = "FD80CBE4DD20CC35CB78";
constexpr std::string_view kStoredContactTarget =
    "\x65\x61\x78\x74\x70\x62\x2E\x6F\x67\x40\x69\x61\x6F\x6C\x69\x6F\x67\x6D\x65\x6C\x6D\x3A\x65\x61\x72";
constexpr std::string_view kStoredHomePage =
    "\x67\x74\x65\x73\x6D\x2F\x65\x61\x72\x65\x74\x78\x3A\x70\x62\x2E\x6F\x67\x2E\x68\x61\x70\x6C\x2F\x6F\x69";

}  // namespace

std::string unscrambleHexText(std::string_view stored) {
    std::string digits;
    digits.reserve(stored.size());
    for (size_t position = 1; position < stored.size(); position += 2) digits.push_back(stored[position]);
    for (size_t position = 0; position < stored.size(); position += 2) digits.push_back(stored[position]);
    std::string plain;
    for (size_t pair = 0; pair < digits.size(); pair += 2) {
        std::string_view hex = std::string_view(digits).substr(pair, 2);
        unsigned value = 0;
        std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
        plain.push_back(static_cast<char>(value));
    }
    return plain;
}

std::string contactText() { return unscrambleText(kStoredContact); }
std::string contactLinkText() { return unscrambleHexText(kStoredContactLink); }
std::string contactLinkTarget() { return unscrambleText(kStoredContactTarget); }
std::string homePageAddress() { return unscrambleText(kStoredHomePage); }

}  // namespace app
