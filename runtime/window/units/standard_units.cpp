#include "runtime/window/units/standard_units.h"

namespace rt {

void registerStandardUnitKinds() {
    registerWindowUnitKind();
    registerTextUnitKinds();
    registerInputUnitKinds();
    registerBarUnitKinds();
    registerCommonDialogUnitKind();
    registerColorPickerUnitKind();
}

}  // namespace rt
