#include "grid/view/qt_text_measurer.h"

#include <QFontMetricsF>
#include <cmath>

#include "grid/view/cell_font.h"
#include "runtime/platform/gbk_codec.h"

namespace grid {

TextExtent QtTextMeasurer::measure(std::string_view fontName, int32_t fontHeight, std::string_view text) const {
    QFontMetricsF metrics(cellFont(fontName, fontHeight, 0));
    return {static_cast<int32_t>(std::ceil(metrics.horizontalAdvance(rt::fromGbk(text)))),
            static_cast<int32_t>(std::ceil(metrics.height()))};
}

}  // namespace grid
