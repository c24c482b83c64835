#include "grid/view/pcx_decoder.h"

#include <algorithm>
#include <vector>

namespace grid {
namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kPaletteSize = 768;
constexpr uint8_t kPaletteMarker = 0x0C;
constexpr size_t kMaxLinePadding = 16;
constexpr size_t kLongestRun = 63;

uint16_t word(std::span<const uint8_t> bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

std::optional<DecodedPixels> fail(DecodeFailure reason, DecodeFailure* failure) {
    if (failure) *failure = reason;
    return std::nullopt;
}

uint32_t opaque(uint8_t red, uint8_t green, uint8_t blue) {
    return 0xFF000000u | (uint32_t{red} << 16) | (uint32_t{green} << 8) | blue;
}

// Run-length decoding of the image data: a byte with its two top bits set repeats the
// next byte (low six bits) times; any other byte stands for itself. Data that ends
// early leaves the rest of the picture black rather than failing the whole picture.
std::vector<uint8_t> expandRuns(std::span<const uint8_t> data, size_t wanted) {
    std::vector<uint8_t> out;
    out.reserve(wanted);
    size_t at = 0;
    while (out.size() < wanted && at < data.size()) {
        uint8_t byte = data[at++];
        size_t repeat = 1;
        if ((byte & 0xC0) == 0xC0) {
            repeat = byte & 0x3F;
            if (at >= data.size()) break;
            byte = data[at++];
        }
        repeat = std::min(repeat, wanted - out.size());
        out.insert(out.end(), repeat, byte);
    }
    out.resize(wanted, 0);
    return out;
}

}  // namespace

std::optional<DecodedPixels> decodePcx(std::span<const uint8_t> bytes, DecodeFailure* failure) {
    if (failure) *failure = DecodeFailure::None;
    auto damaged = [failure] { return fail(DecodeFailure::Damaged, failure); };
    if (bytes.size() < kHeaderSize || bytes[0] != 0x0A || bytes[2] != 1) return damaged();
    const uint8_t bitsPerPixel = bytes[3];
    const uint8_t planes = bytes[65];
    const int32_t width = int32_t{word(bytes, 8)} - word(bytes, 4) + 1;
    const int32_t height = int32_t{word(bytes, 10)} - word(bytes, 6) + 1;
    const size_t bytesPerLine = word(bytes, 66);
    const bool paletted = bitsPerPixel == 8 && planes == 1;
    const bool truecolor = bitsPerPixel == 8 && planes == 3;
    const bool monochrome = bitsPerPixel == 1 && planes == 1;
    const bool sixteenColors = bitsPerPixel == 1 && planes == 4;
    if (!paletted && !truecolor && !monochrome && !sixteenColors) return damaged();
    if (width <= 0 || height <= 0) return damaged();
    if (!fitsPictureBound(width, height)) return fail(DecodeFailure::TooLarge, failure);
    // Lines are padded to an even length at most; a wider line claims memory that the
    // picture does not need.
    const size_t neededPerLine = (static_cast<size_t>(width) * bitsPerPixel + 7) / 8;
    if (bytesPerLine < neededPerLine || bytesPerLine > neededPerLine + kMaxLinePadding) return damaged();

    std::span<const uint8_t> data = bytes.subspan(kHeaderSize);
    std::span<const uint8_t> palette;
    if (paletted) {
        if (data.size() < kPaletteSize + 1 || data[data.size() - kPaletteSize - 1] != kPaletteMarker) return damaged();
        palette = data.subspan(data.size() - kPaletteSize);
        data = data.first(data.size() - kPaletteSize - 1);
    }
    const size_t lineBytes = bytesPerLine * planes;
    // One byte of data expands to at most 63, so a picture larger than that cannot
    // come from these bytes, however its header reads.
    if (data.size() * kLongestRun < lineBytes * static_cast<size_t>(height)) return damaged();
    std::vector<uint8_t> plain = expandRuns(data, lineBytes * static_cast<size_t>(height));

    DecodedPixels pixels{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* line = plain.data() + lineBytes * static_cast<size_t>(y);
        uint32_t* out = pixels.argb.data() + static_cast<size_t>(width) * y;
        for (int32_t x = 0; x < width; ++x) {
            if (paletted) {
                const uint8_t* entry = &palette[size_t{line[x]} * 3];
                out[x] = opaque(entry[0], entry[1], entry[2]);
            } else if (truecolor) {
                out[x] = opaque(line[x], line[bytesPerLine + x], line[2 * bytesPerLine + x]);
            } else {
                unsigned index = 0;
                for (unsigned plane = 0; plane < planes; ++plane) {
                    unsigned bit = (line[plane * bytesPerLine + x / 8] >> (7 - x % 8)) & 1;
                    index |= bit << plane;
                }
                // Version 3 files carry no palette worth reading: one plane is black
                // and white; four planes use the 16 colours kept in the header.
                const uint8_t* entry = &bytes[16 + index * 3];
                out[x] = monochrome ? (index ? 0xFFFFFFFFu : 0xFF000000u) : opaque(entry[0], entry[1], entry[2]);
            }
        }
    }
    return pixels;
}

}  // namespace grid
