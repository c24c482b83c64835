#include "grid/model/picture_format.h"

#include <algorithm>
#include <array>

namespace grid {
namespace {

bool startsWith(std::span<const uint8_t> bytes, std::span<const uint8_t> signature) {
    return bytes.size() >= signature.size() && std::equal(signature.begin(), signature.end(), bytes.begin());
}

// Icons and cursors share one header: a zero word, the resource type, then the
// number of images, which must not be zero.
bool isIconHeader(std::span<const uint8_t> bytes, uint8_t resourceType) {
    return bytes[0] == 0 && bytes[1] == 0 && bytes[2] == resourceType && bytes[3] == 0 &&
           (bytes[4] != 0 || bytes[5] != 0);
}

bool isPcxHeader(std::span<const uint8_t> bytes) {
    uint8_t version = bytes[1];
    uint8_t encoding = bytes[2];
    uint8_t bitsPerPixel = bytes[3];
    if (bytes[0] != 0x0A || encoding != 1) return false;
    return (version <= 5 && bitsPerPixel == 8) || (version == 3 && bitsPerPixel == 1);
}

}  // namespace

PictureFormat recognisePicture(std::span<const uint8_t> bytes) {
    static constexpr std::array<uint8_t, 6> kGif87 = {'G', 'I', 'F', '8', '7', 'a'};
    static constexpr std::array<uint8_t, 6> kGif89 = {'G', 'I', 'F', '8', '9', 'a'};
    static constexpr std::array<uint8_t, 8> kPng = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (bytes.size() < 6) return PictureFormat::None;
    if (bytes[0] == 'B' && bytes[1] == 'M') return PictureFormat::Bitmap;
    if (bytes[0] == 0xFF && bytes[1] == 0xD8) return PictureFormat::Jpeg;
    if (isIconHeader(bytes, 1)) return PictureFormat::Icon;
    if (isIconHeader(bytes, 2)) return PictureFormat::Cursor;
    if (startsWith(bytes, kGif87) || startsWith(bytes, kGif89)) return PictureFormat::Gif;
    if (startsWith(bytes, kPng)) return PictureFormat::Png;
    if (isPcxHeader(bytes)) return PictureFormat::Pcx;
    return PictureFormat::None;
}

}  // namespace grid
