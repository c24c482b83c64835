#pragma once

namespace grid {

// Registers the table units with the window runtime: the grid, the data source with
// its navigation bar, the in-memory and the external provider, the external database.
void registerGridUnitKinds();

void registerGridUnitKind();
void registerDataSrcUnitKind();
void registerNProviderUnitKind();
void registerOdbcProviderUnitKind();
void registerOdbcDbUnitKind();

}  // namespace grid
