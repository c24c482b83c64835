// The PCX decoder on arbitrary bytes: it must never read past them, every picture it
// returns has as many pixels as it claims, and when it returns none it says why.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "grid/view/pcx_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    grid::DecodeFailure failure = grid::DecodeFailure::None;
    auto pixels = grid::decodePcx(std::span<const uint8_t>(data, size), &failure);
    if (pixels.has_value() != (failure == grid::DecodeFailure::None)) std::abort();
    if (pixels && pixels->argb.size() != static_cast<size_t>(pixels->width) * static_cast<size_t>(pixels->height)) {
        std::abort();
    }
    return 0;
}
