#include "runtime/window/units/palette_navigation.h"

#include "runtime/window/units/palette_entries.h"

namespace rt {
namespace {

constexpr int32_t kLastSwatch = kSwatchCount - 1;

// Towards the start: swatch 0, then the transparent entry, the custom entry and
// round to the last swatch.
int32_t backward(int32_t from, int32_t step, bool transparentShown) {
    if (from == kTransparentEntry) return kCustomEntry;
    if (from == kCustomEntry) return kLastSwatch;
    if (from - step >= 0) return from - step;
    return transparentShown ? kTransparentEntry : kCustomEntry;
}

// Towards the end: the last swatch (or the last row), then the custom entry, the
// transparent entry and round to swatch 0.
int32_t forward(int32_t from, int32_t step, bool transparentShown) {
    if (from == kTransparentEntry) return 0;
    if (from == kCustomEntry) return transparentShown ? kTransparentEntry : 0;
    if (from + step <= kLastSwatch) return from + step;
    return kCustomEntry;
}

}  // namespace

int32_t entryAfterKey(int32_t from, PaletteKey key, bool transparentShown) {
    if (!isSwatch(from) && from != kCustomEntry && !(from == kTransparentEntry && transparentShown)) return 0;
    switch (key) {
        case PaletteKey::Left: return backward(from, 1, transparentShown);
        case PaletteKey::Right: return forward(from, 1, transparentShown);
        case PaletteKey::Up: return backward(from, kPaletteColumns, transparentShown);
        case PaletteKey::Down: return forward(from, kPaletteColumns, transparentShown);
    }
    return from;
}

}  // namespace rt
