#pragma once

#include <QImage>
#include <cstdint>
#include <span>

namespace grid {

// Turns the bytes of a picture cell (or of a picture file) into an image. Only the
// recognised forms are decoded; anything else, and any picture that fails to decode
// or is larger than a cell may hold, gives a null image.
QImage decodePicture(std::span<const uint8_t> bytes);

}  // namespace grid
