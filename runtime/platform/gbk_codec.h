#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace rt {

// The only place where GBK text meets Unicode. Both directions are stateless, so a
// text can be converted in pieces.
//
// Decoding: every valid GBK sequence (including 0x80 as the euro sign) maps to its
// character; each byte that does not start a valid sequence becomes U+FFFD.
QString fromGbk(std::string_view gbk);

// Encoding: a character that GBK cannot hold (an emoji, say) becomes "?", the way
// the platform's own conversions mark it; a lone surrogate does too.
std::string toGbk(const QString& text);

std::string gbkToUtf8(std::string_view gbk);
std::string utf8ToGbk(std::string_view utf8);

}  // namespace rt
