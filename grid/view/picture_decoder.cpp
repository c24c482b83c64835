#include "grid/view/picture_decoder.h"

#include <QBuffer>
#include <algorithm>
#include <optional>
#include <QByteArray>
#include <QImageReader>

#include "grid/model/picture_format.h"
#include "grid/view/jpeg_decoder.h"
#include "grid/view/pcx_decoder.h"

namespace grid {
namespace {

// Megabytes Qt's readers may take for one picture: the pixel bound at four bytes a
// pixel, as our own decoders allow.
constexpr int kReaderAllocationLimit = static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024));

CellPicture tooLarge() { return {PictureState::TooLarge, QImage()}; }

// Our decoders give opaque pixels only, which Qt draws fastest and without a
// converted copy as RGB32.
CellPicture pictureOf(const std::optional<DecodedPixels>& pixels, DecodeFailure failure) {
    if (!pixels) return failure == DecodeFailure::TooLarge ? tooLarge() : CellPicture();
    QImage image(pixels->width, pixels->height, QImage::Format_RGB32);
    if (image.isNull()) return {};
    for (int32_t y = 0; y < pixels->height; ++y) {
        std::copy_n(pixels->argb.data() + static_cast<size_t>(pixels->width) * y, pixels->width,
                    reinterpret_cast<uint32_t*>(image.scanLine(y)));
    }
    return {PictureState::Decoded, image};
}

CellPicture readWithQt(std::span<const uint8_t> bytes, const char* format) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAllocationLimit(kReaderAllocationLimit);
    reader.setDecideFormatFromContent(false);
    // The header's size, where the reader knows it, spares decoding a picture that
    // could only be refused; an eight-bit picture would even pass the allocation limit.
    const QSize claimed = reader.size();
    if (claimed.isValid() && !claimed.isEmpty() && !fitsPictureBound(claimed.width(), claimed.height())) {
        return tooLarge();
    }
    QImage image = reader.read();
    if (image.isNull()) return {};
    if (!fitsPictureBound(image.width(), image.height())) return tooLarge();
    return {PictureState::Decoded, image};
}

}  // namespace

CellPicture decodePicture(std::span<const uint8_t> bytes) {
    DecodeFailure failure = DecodeFailure::None;
    switch (recognisePicture(bytes)) {
        case PictureFormat::Jpeg: {
            auto pixels = decodeJpeg(bytes, &failure);
            return pictureOf(pixels, failure);
        }
        case PictureFormat::Pcx: {
            auto pixels = decodePcx(bytes, &failure);
            return pictureOf(pixels, failure);
        }
        case PictureFormat::Bitmap: return readWithQt(bytes, "bmp");
        case PictureFormat::Icon: return readWithQt(bytes, "ico");
        case PictureFormat::Cursor: return readWithQt(bytes, "cur");
        case PictureFormat::Gif: return readWithQt(bytes, "gif");
        case PictureFormat::Png: return readWithQt(bytes, "png");
        case PictureFormat::None: break;
    }
    return {};
}

}  // namespace grid
