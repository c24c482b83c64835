#include "grid/model/text_measurer.h"

#include "grid/model/cell.h"

namespace grid {

DefaultSizes measureDefaultSizes(const TextMeasurer& measurer) {
    TextExtent letter = measurer.measure(kDefaultFontName, 40, "W");
    return {letter.height + 18, (letter.width + 1) * 14 + 18};
}

}  // namespace grid
