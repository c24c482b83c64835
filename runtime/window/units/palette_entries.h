#pragma once

#include <array>
#include <cstdint>

namespace rt {

// The entries of the colour palette: swatches 0-31 in palette order, seven to a row,
// and the two text entries above and below them.
inline constexpr int32_t kPaletteColumns = 7;
inline constexpr int32_t kSwatchCount = 32;
inline constexpr int32_t kPaletteRows = (kSwatchCount + kPaletteColumns - 1) / kPaletteColumns;
inline constexpr int32_t kTransparentEntry = -3;
inline constexpr int32_t kCustomEntry = -2;
inline constexpr int32_t kNoEntry = -1;

// Colours are 0x00BBGGRR; this value means no colour at all.
inline constexpr uint32_t kTransparentColor = 0xFF000000;

struct NamedColor {
    const char* name;  // GBK, shown as the swatch's tooltip
    uint32_t color;
};

const std::array<NamedColor, kSwatchCount>& paletteColors();

inline bool isSwatch(int32_t entry) { return entry >= 0 && entry < kSwatchCount; }

// The entry that shows a colour as the current one: the transparent entry for no
// colour (when it is offered), else the first swatch of exactly that colour, else
// the custom entry.
int32_t markedEntryFor(uint32_t color, bool transparentShown);

}  // namespace rt
