#include "grid/model/page_settings.h"

namespace grid {

int16_t PageSettings::scaleForUse() const {
    if (scale < -2) return -2;
    if (scale > 1000) return 1000;
    if (scale == 0) return 100;
    if (scale >= 1 && scale <= 19) return 20;
    return scale;
}

}  // namespace grid
