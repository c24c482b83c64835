#include "tools/bgetool/json_text.h"

#include <cstdio>

#include "runtime/platform/gbk_codec.h"

namespace bgetool {

std::string jsonString(std::string_view gbk) {
    std::string utf8 = rt::gbkToUtf8(gbk);
    std::string quoted = "\"";
    for (char c : utf8) {
        switch (c) {
            case '"': quoted += "\\\""; break;
            case '\\': quoted += "\\\\"; break;
            case '\n': quoted += "\\n"; break;
            case '\r': quoted += "\\r"; break;
            case '\t': quoted += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    quoted += escaped;
                } else {
                    quoted += c;
                }
        }
    }
    return quoted + "\"";
}

}  // namespace bgetool
