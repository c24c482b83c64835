#pragma once

#include <QColor>
#include <QFont>
#include <cstdint>
#include <string_view>

namespace grid {

// A cell's font: its face (GBK; empty means "宋体"), its character height already
// converted to pixels, and the style bits of its flag word.
QFont cellFont(std::string_view face, int pixelHeight, uint32_t flags);

// A 0x00BBGGRR colour as Qt's colour.
inline QColor colorOf(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace grid
