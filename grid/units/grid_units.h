#pragma once

namespace grid {

// Registers the table units with the window runtime: the grid, the data source with
// its navigation bar, and the in-memory provider.
void registerGridUnitKinds();

void registerGridUnitKind();
void registerDataSrcUnitKind();
void registerNProviderUnitKind();

}  // namespace grid
