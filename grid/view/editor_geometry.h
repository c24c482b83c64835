#pragma once

#include <QRect>
#include <QSize>
#include <string_view>

namespace grid {

// The in-place editor's rectangle for a text (GBK bytes), in device pixels. It grows
// with the text in steps of eight characters of "W" width (charWidth) and one line
// (charHeight) per line, never below the cell, and is shifted back inside the
// grid's client area when it would stick out on the right or at the bottom.
QRect editorRect(std::string_view text, const QRect& cell, QSize client, int charWidth, int charHeight);

}  // namespace grid
