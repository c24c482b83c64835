// Any bytes as a regular expression and a text: the first byte chooses the case
// rule and the range, the pattern runs to the first NUL, the rest is the text and
// the replacement format. No command may crash or throw, whatever the engine makes
// of the pattern; results stay inside the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "runtime/regex/regex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint8_t choice = data[0];
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const size_t end = rest.find('\0');
    const std::string_view pattern = rest.substr(0, end);
    const std::string_view text = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);

    rt::Regex regex;
    if (!regex.create(pattern, (choice & 1) != 0)) return 0;
    (void)regex.match(text);
    const int32_t start = static_cast<int32_t>(choice >> 4) + 1;
    (void)regex.search(text, start);
    for (const rt::SearchResult& found : regex.searchAll(text)) {
        for (const rt::SubMatch& group : found.entries()) {
            if (!group.matched) continue;
            if (group.offset < 0 || group.length < 0 ||
                static_cast<size_t>(group.offset) + static_cast<size_t>(group.length) > text.size()) {
                std::abort();
            }
        }
    }
    (void)regex.replace(text, text.substr(0, text.size() / 2), start, std::nullopt, (choice & 2) != 0,
                        (choice & 4) != 0);
    return 0;
}
