#include "grid/view/picture_decoder.h"

#include <QBuffer>
#include <algorithm>
#include <QByteArray>
#include <QImageReader>

#include "grid/model/picture_format.h"
#include "grid/view/jpeg_decoder.h"
#include "grid/view/pcx_decoder.h"

namespace grid {
namespace {

// Megabytes Qt's readers may take for one picture; the same bound as our own
// decoders' pixel limit.
constexpr int kReaderAllocationLimit = 256;

QImage imageOf(const DecodedPixels& pixels) {
    QImage image(pixels.width, pixels.height, QImage::Format_ARGB32);
    if (image.isNull()) return {};
    for (int32_t y = 0; y < pixels.height; ++y) {
        std::copy_n(pixels.argb.data() + static_cast<size_t>(pixels.width) * y, pixels.width,
                    reinterpret_cast<uint32_t*>(image.scanLine(y)));
    }
    return image;
}

QImage readWithQt(std::span<const uint8_t> bytes, const char* format) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAllocationLimit(kReaderAllocationLimit);
    reader.setDecideFormatFromContent(false);
    return reader.read();
}

}  // namespace

QImage decodePicture(std::span<const uint8_t> bytes) {
    switch (recognisePicture(bytes)) {
        case PictureFormat::Jpeg: {
            auto pixels = decodeJpeg(bytes);
            return pixels ? imageOf(*pixels) : QImage();
        }
        case PictureFormat::Pcx: {
            auto pixels = decodePcx(bytes);
            return pixels ? imageOf(*pixels) : QImage();
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
