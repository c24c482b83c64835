#pragma once

#include <string>
#include <string_view>

namespace rt {

// The desktop clipboard's plain text, as GBK. Line breaks come as CR LF, the way the
// table keeps them in cell texts, and go out as the desktop's line feeds.
std::string clipboardText();
void setClipboardText(std::string_view gbk);

}  // namespace rt
