#include "grid/view/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace grid {
namespace {

// A progressive file may split its picture into any number of scans, and each one is
// a pass over the whole picture; encoders write about ten, so far more than that is
// only a way to burn time.
constexpr int kMaxJpegScans = 100;
// A progressive picture keeps its coefficients for every scan, two bytes a pixel and
// component at full size whatever reduction is asked for. libjpeg has no file to swap
// them to, so a picture needing more than this ends as too large.
constexpr long kMaxJpegWorkingMemory = 256L * 1024 * 1024;

// libjpeg's default error handler exits the process; ours jumps back to the decoder.
// The error manager comes first: libjpeg hands back only the pointer to it.
struct DecoderGuard {
    jpeg_error_mgr errors;
    jpeg_progress_mgr progress;
    std::jmp_buf returnPoint;
    DecodeFailure failure = DecodeFailure::Damaged;
};

[[noreturn]] void leaveDecoder(j_common_ptr info) {
    auto* guard = reinterpret_cast<DecoderGuard*>(info->err);
    const int code = info->err->msg_code;
    if (code == JERR_NO_BACKING_STORE || code == JERR_OUT_OF_MEMORY) guard->failure = DecodeFailure::TooLarge;
    std::longjmp(guard->returnPoint, 1);
}

void ignoreMessage(j_common_ptr) {}

void limitScans(j_common_ptr info) {
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxJpegScans) {
        std::longjmp(reinterpret_cast<DecoderGuard*>(info->err)->returnPoint, 1);
    }
}

uint32_t opaque(unsigned red, unsigned green, unsigned blue) {
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

// The largest of libjpeg's own reductions that brings the picture within the bound;
// it scales while decoding, so the full size is never held.
bool chooseScale(jpeg_decompress_struct& info) {
    for (unsigned denominator : {1u, 2u, 4u, 8u}) {
        info.scale_num = 1;
        info.scale_denom = denominator;
        jpeg_calc_output_dimensions(&info);
        if (fitsPictureBound(info.output_width, info.output_height)) return true;
    }
    return false;
}

// Everything that lives across the jump is set up before setjmp and owned outside it,
// so that nothing with a destructor is skipped by longjmp.
bool decodeInto(jpeg_decompress_struct& info, DecoderGuard& guard, std::span<const uint8_t> bytes,
                DecodedPixels& pixels, std::vector<uint8_t>& line) {
    info.mem->max_memory_to_use = kMaxJpegWorkingMemory;
    info.progress = &guard.progress;
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    if (!chooseScale(info)) {
        guard.failure = DecodeFailure::TooLarge;
        return false;
    }
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
bool guardedDecode(jpeg_decompress_struct& info, DecoderGuard& guard, std::span<const uint8_t> bytes,
                   DecodedPixels& pixels, std::vector<uint8_t>& line) {
    if (setjmp(guard.returnPoint) != 0) return false;
    jpeg_create_decompress(&info);
    return decodeInto(info, guard, bytes, pixels, line);
}

}  // namespace

std::optional<DecodedPixels> decodeJpeg(std::span<const uint8_t> bytes, DecodeFailure* failure) {
    if (failure) *failure = DecodeFailure::Damaged;
    if (bytes.empty()) return std::nullopt;
    jpeg_decompress_struct info{};
    DecoderGuard guard{};
    info.err = jpeg_std_error(&guard.errors);
    guard.errors.error_exit = leaveDecoder;
    guard.errors.output_message = ignoreMessage;
    guard.progress.progress_monitor = limitScans;
    DecodedPixels pixels;
    std::vector<uint8_t> line;
    const bool decoded = guardedDecode(info, guard, bytes, pixels, line);
    jpeg_destroy_decompress(&info);
    if (!decoded) {
        if (failure) *failure = guard.failure;
        return std::nullopt;
    }
    if (failure) *failure = DecodeFailure::None;
    return pixels;
}

}  // namespace grid
