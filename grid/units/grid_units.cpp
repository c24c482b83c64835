#include "grid/units/grid_units.h"

namespace grid {

void registerGridUnitKinds() {
    registerGridUnitKind();
    registerDataSrcUnitKind();
    registerNProviderUnitKind();
    registerOdbcProviderUnitKind();
    registerOdbcDbUnitKind();
}

}  // namespace grid
