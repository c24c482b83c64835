#pragma once

#include <string>
#include <string_view>

namespace grid::odbc {

// Conversion between the program's GBK text and the UTF-16 of the driver manager's
// wide-character interface. The editor hands in its Qt-based codec; this layer stays
// free of Qt. A character that GBK cannot hold is the codec's business (it marks it).
struct TextCodec {
    virtual ~TextCodec() = default;
    virtual std::u16string toUtf16(std::string_view gbk) const = 0;
    virtual std::string toGbk(std::u16string_view utf16) const = 0;
};

}  // namespace grid::odbc
