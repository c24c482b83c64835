#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "grid/view/decoded_pixels.h"

namespace grid {

// Decodes a JPEG through libjpeg. A damaged stream ends the decoding with nothing
// instead of ending the process, and the size in the header is checked before any
// pixel memory is taken: a picture over the bound comes out reduced by libjpeg's own
// scaling (a half, a quarter or an eighth, the largest that fits), and one that does
// not fit even at an eighth gives nothing with `failure` set to TooLarge.
std::optional<DecodedPixels> decodeJpeg(std::span<const uint8_t> bytes, DecodeFailure* failure = nullptr);

}  // namespace grid
