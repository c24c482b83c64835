#pragma once

#include "grid/model/text_measurer.h"

namespace grid {

// Measures text with the installed fonts. The font is made with a pixel size equal to
// the height in 0.1 mm, so the extents it reports are already in 0.1 mm at 1:1 zoom,
// whatever the screen's resolution.
class QtTextMeasurer : public TextMeasurer {
public:
    TextExtent measure(std::string_view fontName, int32_t fontHeight, std::string_view text) const override;
};

}  // namespace grid
