#include "runtime/value/file_name.h"

#include <iconv.h>

#include <cerrno>

namespace rt {
namespace {

// Converts with the C library's converter; where a byte cannot be converted the
// replacement is written and conversion resumes after that byte.
std::string convert(const char* toCode, const char* fromCode, std::string_view input, std::string_view replacement) {
    iconv_t converter = iconv_open(toCode, fromCode);
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::string(input);
    std::string output;
    char buffer[1024];
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        output.append(buffer, static_cast<size_t>(out - buffer));
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            // An invalid or cut-off sequence: skip one byte of it (a whole UTF-8
            // sequence when converting from UTF-8, so one character gives one "?").
            output += replacement;
            size_t skip = 1;
            if (std::string_view(fromCode) == "UTF-8") {
                while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80) ++skip;
            }
            in += skip;
            inLeft -= skip;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(converter);
    return output;
}

}  // namespace

std::filesystem::path pathFromText(std::string_view gbk) {
    return std::filesystem::path(convert("UTF-8", "GBK", gbk, "\xEF\xBF\xBD"));
}

std::string textFromPath(const std::filesystem::path& path) {
    return convert("GBK", "UTF-8", path.native(), "?");
}

}  // namespace rt
