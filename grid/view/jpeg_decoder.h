#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "grid/view/decoded_pixels.h"

namespace grid {

// Decodes a JPEG through libjpeg. A damaged stream ends the decoding with nothing
// instead of ending the process, and the size in the header is checked before any
// pixel memory is taken.
std::optional<DecodedPixels> decodeJpeg(std::span<const uint8_t> bytes);

}  // namespace grid
