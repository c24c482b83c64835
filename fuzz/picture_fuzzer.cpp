// Any bytes as the content of a picture cell: every decoder the grid may choose
// (libjpeg, our PCX decoder, Qt's readers for BMP, GIF, PNG, ICO and CUR) runs under
// the allocation limits and gives nothing, a picture too large, or an image within
// the pixel bound.
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "grid/view/decoded_pixels.h"
#include "grid/view/picture_decoder.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const grid::CellPicture picture = grid::decodePicture(std::span<const uint8_t>(data, size));
    const QImage& image = picture.image;
    if ((picture.state == grid::PictureState::Decoded) == image.isNull()) std::abort();
    if (!image.isNull() && !grid::fitsPictureBound(image.width(), image.height())) std::abort();
    return 0;
}
