#pragma once

#include <cstdint>

namespace grid {

// How a cell looks and behaves, apart from its content: the flag word, colours, face,
// size and margin. A table of a million cells uses a handful of these, so each
// distinct one is kept once for the life of the program and a cell holds its number.
struct CellFormat {
    uint32_t flags = 1;
    uint32_t textColor = 0;
    uint32_t backColor = 0xFF000000;
    int16_t fontSize = 40;
    int16_t margin = 9;
    // A name from internFontName, compared by address; null for the default face.
    const char* fontName = nullptr;

    friend bool operator==(const CellFormat&, const CellFormat&) = default;
};

// The number of the default format, which every new cell has.
inline constexpr uint32_t kDefaultFormatIndex = 0;

// The number of this format, adding it the first time it is seen; the same format
// always gets the same number. Safe to call from any thread. Throws std::bad_alloc
// when a new format finds no memory.
uint32_t internFormat(const CellFormat& format);

// The format with this number, which internFormat must have handed out. The
// reference stays valid until the program ends.
const CellFormat& formatAt(uint32_t index);

}  // namespace grid
