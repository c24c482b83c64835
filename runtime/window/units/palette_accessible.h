#pragma once

#include <cstdint>

namespace rt {

class ColorPalette;

// Makes a colour palette a list of named entries for assistive technology: each
// swatch reads its colour's name, the text entries their texts, and an entry's Press
// action chooses it as a click does. Called once at start-up.
void installPaletteAccessibility();

// The highlighted entry became the focused one (the keys moved it).
void announceHighlightedEntry(ColorPalette& palette);

}  // namespace rt
