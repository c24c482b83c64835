#include "grid/view/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace grid {
namespace {

// libjpeg's default error handler exits the process; ours jumps back to the decoder.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf returnPoint;
};

[[noreturn]] void leaveDecoder(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->returnPoint, 1);
}

void ignoreMessage(j_common_ptr) {}

uint32_t opaque(unsigned red, unsigned green, unsigned blue) {
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

// Everything that lives across the jump is set up before setjmp and owned outside it,
// so that nothing with a destructor is skipped by longjmp.
bool decodeInto(jpeg_decompress_struct& info, std::span<const uint8_t> bytes, DecodedPixels& pixels,
                std::vector<uint8_t>& line) {
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    if (!isAcceptablePictureSize(info.image_width, info.image_height)) return false;
    jpeg_start_decompress(&info);
    const size_t width = info.output_width;
    const int components = info.output_components;
    pixels.width = static_cast<int32_t>(width);
    pixels.height = static_cast<int32_t>(info.output_height);
    pixels.argb.assign(width * info.output_height, 0xFF000000u);
    line.resize(width * components);
    while (info.output_scanline < info.output_height) {
        uint32_t* out = pixels.argb.data() + width * info.output_scanline;
        JSAMPROW row = line.data();
        if (jpeg_read_scanlines(&info, &row, 1) != 1) break;
        for (size_t x = 0; x < width; ++x) {
            const uint8_t* in = &line[x * components];
            if (cmyk) {
                // Adobe writes CMYK inverted, which is what nearly every such file is.
                out[x] = opaque(in[0] * in[3] / 255, in[1] * in[3] / 255, in[2] * in[3] / 255);
            } else {
                out[x] = opaque(in[0], in[1], in[2]);
            }
        }
    }
    jpeg_finish_decompress(&info);
    return true;
}

// The only frame that setjmp returns into holds nothing but references.
bool guardedDecode(jpeg_decompress_struct& info, ErrorManager& errors, std::span<const uint8_t> bytes,
                   DecodedPixels& pixels, std::vector<uint8_t>& line) {
    if (setjmp(errors.returnPoint) != 0) return false;
    jpeg_create_decompress(&info);
    return decodeInto(info, bytes, pixels, line);
}

}  // namespace

std::optional<DecodedPixels> decodeJpeg(std::span<const uint8_t> bytes) {
    if (bytes.empty()) return std::nullopt;
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = leaveDecoder;
    errors.base.output_message = ignoreMessage;
    DecodedPixels pixels;
    std::vector<uint8_t> line;
    const bool decoded = guardedDecode(info, errors, bytes, pixels, line);
    jpeg_destroy_decompress(&info);
    if (!decoded) return std::nullopt;
    return pixels;
}

}  // namespace grid
