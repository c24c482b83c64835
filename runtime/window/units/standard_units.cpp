#include "runtime/window/units/standard_units.h"

#include "runtime/window/accessible_windows.h"

namespace rt {

void registerStandardUnitKinds() {
    registerWindowUnitKind();
    registerTextUnitKinds();
    registerInputUnitKinds();
    registerBarUnitKinds();
    registerCommonDialogUnitKind();
    registerColorPickerUnitKind();
    installAccessibleWindows();
}

}  // namespace rt
