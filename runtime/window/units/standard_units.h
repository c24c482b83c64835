#pragma once

namespace rt {

// Registers the unit kinds the runtime implements on widgets: windows, texts,
// buttons, boxes, edit and combo boxes, status bar, toolbar, the common dialog and
// the colour picker. The grid and data units are registered by their own layer.
void registerStandardUnitKinds();

void registerTextUnitKinds();
void registerInputUnitKinds();
void registerBarUnitKinds();
void registerWindowUnitKind();
void registerCommonDialogUnitKind();
void registerColorPickerUnitKind();

}  // namespace rt
