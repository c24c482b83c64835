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

// Why a decoder gave no pixels: the bytes are no picture it can read, or the picture
// is larger than any cell may show.
enum class DecodeFailure { None, Damaged, TooLarge };

// No picture in a cell is decoded at full size beyond this many pixels (128 MiB at
// four bytes a pixel), whatever its header claims, so that a few hostile cells cannot
// exhaust memory; the decoded-picture cache holds at least two such pictures.
inline constexpr int64_t kMaxPicturePixels = 32 * 1024 * 1024;
inline constexpr int32_t kMaxPictureSide = 32768;

// Whether a picture of a positive size stays within the bound.
inline bool fitsPictureBound(int64_t width, int64_t height) {
    return width <= kMaxPictureSide && height <= kMaxPictureSide && width * height <= kMaxPicturePixels;
}

}  // namespace grid
