#pragma once

#include <QImage>
#include <cstdint>
#include <span>

namespace grid {

// What the bytes of a picture cell (or of a picture file) show: a decoded image, a
// picture too large to decode (the cell shows its frame and says so), or nothing.
enum class PictureState { Nothing, Decoded, TooLarge };

struct CellPicture {
    PictureState state = PictureState::Nothing;
    QImage image;
};

// Only the recognised forms are decoded; anything else and any picture that fails to
// decode is nothing. A JPEG over the pixel bound comes out reduced, any other picture
// over it is too large.
CellPicture decodePicture(std::span<const uint8_t> bytes);

}  // namespace grid
