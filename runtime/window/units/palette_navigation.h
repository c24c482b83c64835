#pragma once

#include <cstdint>

namespace rt {

enum class PaletteKey { Left, Right, Up, Down };

// The entry an arrow key moves to from an entry of the palette. Left and Right run
// through the swatches in order and through the text entries between the last and
// the first swatch; Up and Down move by rows and pass through the text entries at
// the ends. Without the transparent entry the walk skips it.
int32_t entryAfterKey(int32_t from, PaletteKey key, bool transparentShown);

}  // namespace rt
