#pragma once

#include <cstdint>
#include <string>

#include "tests/grid/support/byte_builder.h"

// Windows bitmaps built byte by byte, for pictures whose header claims what their
// pixels do not need: a huge size in a few bytes of run-length data, or an absurd
// resolution.

// The 14-byte file header and the 40-byte information header.
inline ByteBuilder bitmapHeaders(int32_t width, int32_t height, int bitsPerPixel, int compression,
                                 int32_t dotsPerMeter, int paletteSize, size_t dataSize) {
    const int64_t offset = 14 + 40 + 4 * paletteSize;
    ByteBuilder bytes;
    bytes.raw("BM").int32(offset + static_cast<int64_t>(dataSize)).int32(0).int32(offset);
    bytes.int32(40).int32(width).int32(height).int16(1).int16(bitsPerPixel).int32(compression);
    bytes.int32(static_cast<int64_t>(dataSize)).int32(dotsPerMeter).int32(dotsPerMeter);
    return bytes.int32(paletteSize).int32(paletteSize);
}

// Every pixel red: eight bits a pixel, run-length coded, a palette of red alone and
// no data but the code that ends the picture.
inline std::string redRunLengthBitmap(int32_t width, int32_t height) {
    ByteBuilder bytes = bitmapHeaders(width, height, 8, 1, 3780, 1, 2);
    bytes.raw(std::string("\x00\x00\xFF\x00", 4));
    return bytes.raw(std::string("\x00\x01", 2)).str();
}

// One pixel of 0xRRGGBB, 24 bits, at this resolution in both directions.
inline std::string onePixelBitmap(uint32_t rgb, int32_t dotsPerMeter) {
    ByteBuilder bytes = bitmapHeaders(1, 1, 24, 0, dotsPerMeter, 0, 4);
    const char pixel[] = {static_cast<char>(rgb & 0xFF), static_cast<char>((rgb >> 8) & 0xFF),
                          static_cast<char>((rgb >> 16) & 0xFF), 0};
    return bytes.raw(std::string(pixel, 4)).str();
}
