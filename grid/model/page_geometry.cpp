#include "grid/model/page_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "runtime/value/number_text.h"

namespace grid {
namespace {

constexpr int32_t kPageNumberGap = 40;  // 4 mm between the number and the table

}  // namespace

PageRect printRectangle(const PaperMetrics& paper, const PageSettings& settings) {
    return {settings.marginLeft, settings.marginTop, paper.printableWidth() - settings.marginRight,
            paper.printableHeight() - settings.marginBottom};
}

PagePoint pageNumberOrigin(const PageRect& printRect, int32_t position, int32_t textWidth, int32_t textHeight) {
    PagePoint origin;
    switch (position) {
        case 1:
        case 4: origin.x = printRect.left; break;
        case 2:
        case 5: origin.x = printRect.left + (printRect.width() - textWidth) / 2; break;
        default: origin.x = printRect.right - textWidth; break;
    }
    origin.y = position <= 3 ? printRect.top - kPageNumberGap - textHeight : printRect.bottom + kPageNumberGap;
    return origin;
}

std::string marginText(int32_t tenths) {
    int64_t magnitude = std::llabs(int64_t{tenths});
    std::string text = tenths < 0 ? "-" : "";
    text += std::to_string(magnitude / 10);
    if (magnitude % 10 != 0) {
        text += '.';
        text += static_cast<char>('0' + magnitude % 10);
    }
    return text;
}

int32_t marginFromText(std::string_view millimetres) {
    double tenths = std::trunc(rt::textToNumber(millimetres) * 10);
    if (!(tenths > 0)) return 0;
    return static_cast<int32_t>(std::min<double>(tenths, INT32_MAX));
}

}  // namespace grid
