#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "grid/view/decoded_pixels.h"

namespace grid {

// Decodes the PCX forms a cell may hold: 8 bits per pixel with one plane (palette at
// the end of the file) or three planes (RGB), and 1 bit per pixel with one plane
// (black and white) or four planes (16 colours from the header's palette). Every
// count and offset is checked against the bytes given; anything else is nothing, and
// `failure` (when given) says whether the bytes were damaged or the picture too large.
std::optional<DecodedPixels> decodePcx(std::span<const uint8_t> bytes, DecodeFailure* failure = nullptr);

}  // namespace grid
