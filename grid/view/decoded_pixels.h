#pragma once

#include <cstdint>
#include <vector>

namespace grid {

// A decoded picture as 0xAARRGGBB words, row by row from the top.
struct DecodedPixels {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> argb;
};

// No picture in a cell may need more than this many pixels (about 256 MB decoded),
// whatever its header claims, so a hostile cell cannot exhaust memory.
inline constexpr int64_t kMaxPicturePixels = 64 * 1024 * 1024;
inline constexpr int32_t kMaxPictureSide = 32768;

inline bool isAcceptablePictureSize(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

}  // namespace grid
