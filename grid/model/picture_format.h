#pragma once

#include <cstdint>
#include <span>

namespace grid {

enum class PictureFormat { None, Bitmap, Jpeg, Icon, Cursor, Gif, Pcx, Png };

// Recognises a picture by its first bytes; fewer than 6 bytes are never a picture.
PictureFormat recognisePicture(std::span<const uint8_t> bytes);

}  // namespace grid
