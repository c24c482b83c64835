#include "runtime/window/units/standard_units.h"

#include "runtime/window/accessible_windows.h"
#include "runtime/window/units/palette_accessible.h"

namespace rt {

void registerStandardUnitKinds() {
    registerWindowUnitKind();
    registerTextUnitKinds();
    registerInputUnitKinds();
    registerBarUnitKinds();
    registerCommonDialogUnitKind();
    registerColorPickerUnitKind();
    installAccessibleWindows();
    installPaletteAccessibility();
}

}  // namespace rt
