#pragma once

namespace rt {

// Registers the unit kinds the runtime implements on widgets: windows, texts,
// buttons, boxes, edit and combo boxes, status bar, toolbar, the common dialog and
// the colour picker. The grid and data units are registered by their own layer.
// Also makes our plain top-level windows windows to assistive technology.
void registerStandardUnitKinds();

void registerTextUnitKinds();
void registerInputUnitKinds();
void registerBarUnitKinds();
void registerWindowUnitKind();
void registerCommonDialogUnitKind();
void registerColorPickerUnitKind();

}  // namespace rt
