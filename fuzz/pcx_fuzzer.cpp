// The PCX decoder on arbitrary bytes: it must never read past them, and a picture
// it returns always has as many pixels as it claims.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "grid/view/pcx_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto pixels = grid::decodePcx(std::span<const uint8_t>(data, size));
    if (pixels && pixels->argb.size() != static_cast<size_t>(pixels->width) * static_cast<size_t>(pixels->height)) {
        std::abort();
    }
    return 0;
}
