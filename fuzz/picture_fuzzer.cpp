// Any bytes as the content of a picture cell: every decoder the grid may choose
// (libjpeg, our PCX decoder, Qt's readers for BMP, GIF, PNG, ICO and CUR) runs under
// the allocation limits and gives either nothing or an image of a sane size.
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "grid/view/picture_decoder.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QImage image = grid::decodePicture(std::span<const uint8_t>(data, size));
    if (!image.isNull() && (image.width() <= 0 || image.height() <= 0)) std::abort();
    return 0;
}
