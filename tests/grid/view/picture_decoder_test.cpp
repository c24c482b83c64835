// Decoding the picture forms a cell may hold, and refusing everything else.
#include "grid/view/picture_decoder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <QImage>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "grid/view/jpeg_decoder.h"
#include "grid/view/pcx_decoder.h"
#include "tests/grid/view/bitmap_bytes.h"

namespace {

std::vector<uint8_t> encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return {bytes.begin(), bytes.end()};
}

QImage filled(int width, int height, QColor color) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// A PCX header for the given form, with the image data and trailing bytes after it.
std::vector<uint8_t> pcx(int width, int height, uint8_t bitsPerPixel, uint8_t planes, int bytesPerLine,
                         const std::vector<uint8_t>& data) {
    std::array<uint8_t, 128> header{};
    header[0] = 0x0A;
    header[1] = bitsPerPixel == 1 ? 3 : 5;
    header[2] = 1;
    header[3] = bitsPerPixel;
    header[8] = static_cast<uint8_t>(width - 1);
    header[9] = static_cast<uint8_t>((width - 1) >> 8);
    header[10] = static_cast<uint8_t>(height - 1);
    header[11] = static_cast<uint8_t>((height - 1) >> 8);
    header[65] = planes;
    header[66] = static_cast<uint8_t>(bytesPerLine);
    std::vector<uint8_t> bytes(header.size() + data.size());
    std::copy(header.begin(), header.end(), bytes.begin());
    std::copy(data.begin(), data.end(), bytes.begin() + header.size());
    return bytes;
}

// A blue JPEG through libjpeg's compressor, a row at a time so that even a large one
// needs little memory. One scan writes a baseline picture; more write a progressive
// one: the DC coefficients of all three components in the first scan, then one AC
// coefficient of one component in each further scan (at most 190 scans).
std::vector<uint8_t> blueJpeg(int width, int height, int scans = 1) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    std::vector<jpeg_scan_info> script;
    if (scans > 1) {
        script.push_back({3, {0, 1, 2, 0}, 0, 0, 0, 0});
        for (int scan = 1; scan < scans; ++scan) {
            const int coefficient = (scan - 1) / 3 + 1;
            script.push_back({1, {(scan - 1) % 3, 0, 0, 0}, coefficient, coefficient, 0, 0});
        }
        info.scan_info = script.data();
        info.num_scans = scans;
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(width) * 3, 0);
    for (size_t x = 2; x < row.size(); x += 3) row[x] = 255;
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    jpeg_destroy_compress(&info);
    return bytes;
}

// The same JPEG with another size in its frame header; its data stays as it was.
std::vector<uint8_t> claimingSize(std::vector<uint8_t> jpeg, int width, int height) {
    for (size_t at = 2; at + 9 < jpeg.size(); ++at) {
        if (jpeg[at] == 0xFF && (jpeg[at + 1] == 0xC0 || jpeg[at + 1] == 0xC2)) {
            jpeg[at + 5] = static_cast<uint8_t>(height >> 8);
            jpeg[at + 6] = static_cast<uint8_t>(height);
            jpeg[at + 7] = static_cast<uint8_t>(width >> 8);
            jpeg[at + 8] = static_cast<uint8_t>(width);
            break;
        }
    }
    return jpeg;
}

std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

TEST(PictureDecoderTest, DecodesEveryRecognisedForm) {
    const QImage blue = filled(7, 5, QColor(0, 0, 255));
    struct Case {
        const char* format;
        int width;
    } cases[] = {{"BMP", 7}, {"PNG", 7}, {"ICO", 7}, {"JPEG", 7}};
    for (const Case& c : cases) {
        QImage image = grid::decodePicture(encoded(blue, c.format)).image;
        ASSERT_FALSE(image.isNull()) << c.format;
        EXPECT_EQ(image.size(), QSize(c.width, 5)) << c.format;
        QColor centre = image.pixelColor(3, 2);
        EXPECT_LT(centre.red(), 30) << c.format;
        EXPECT_GT(centre.blue(), 220) << c.format;
    }
}

TEST(PictureDecoderTest, DecodesGif) {
    // 1 x 1, a two-colour palette of red and black, the pixel in colour 0.
    const std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0,
                                      0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0, 0x3B};
    QImage image = grid::decodePicture(gif).image;
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0));
}

TEST(PictureDecoderTest, BytesThatAreNoPictureGiveNothing) {
    std::vector<std::vector<uint8_t>> notPictures = {
        {},
        {'B', 'M'},
        {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'},
        {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F'},  // a JPEG that stops in its header
        {'G', 'I', 'F', '8', '9', 'a', 0xFF, 0xFF, 0xFF, 0xFF},     // 65535 x 65535 and nothing else
    };
    for (const auto& bytes : notPictures) {
        grid::CellPicture picture = grid::decodePicture(bytes);
        EXPECT_EQ(picture.state, grid::PictureState::Nothing) << bytes.size();
        EXPECT_TRUE(picture.image.isNull()) << bytes.size();
    }
}

TEST(PictureDecoderTest, DamagedJpegEndsWithoutCrashing) {
    std::vector<uint8_t> bytes = encoded(filled(64, 64, Qt::green), "JPEG");
    for (size_t cut : {size_t{20}, bytes.size() / 2}) {
        std::vector<uint8_t> damaged(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        auto decoded = grid::decodeJpeg(damaged);
        if (decoded) {
            EXPECT_EQ(decoded->argb.size(), size_t(64 * 64));
        }
    }
    std::vector<uint8_t> scrambled = bytes;
    for (size_t i = 2; i < scrambled.size(); i += 7) scrambled[i] ^= 0x5A;
    auto decoded = grid::decodeJpeg(scrambled);
    if (decoded) {
        EXPECT_EQ(decoded->argb.size(), size_t(decoded->width) * decoded->height);
    }
}

TEST(PictureDecoderTest, PicturesOverThePixelBoundAreTooLargeOrReducedJpegs) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        grid::PictureState state;
        QSize size;
    };
    const Case cases[] = {
        {"bitmap of exactly 32 Mi pixels", bytesOf(redRunLengthBitmap(4096, 8192)), grid::PictureState::Decoded,
         {4096, 8192}},
        {"bitmap of one line more", bytesOf(redRunLengthBitmap(4096, 8193)), grid::PictureState::TooLarge, {}},
        {"run-length bitmap of 8000 x 8000", bytesOf(redRunLengthBitmap(8000, 8000)), grid::PictureState::TooLarge,
         {}},
        {"PCX of 8000 x 8000", pcx(8000, 8000, 8, 1, 8000, {0xC1, 0}), grid::PictureState::TooLarge, {}},
        {"JPEG wider than the side limit", blueJpeg(40000, 8), grid::PictureState::Decoded, {20000, 4}},
        {"JPEG of 33.6 million pixels", blueJpeg(8192, 4100), grid::PictureState::Decoded, {4096, 2050}},
        {"JPEG too large even at an eighth", claimingSize(blueJpeg(16, 16), 60000, 60000),
         grid::PictureState::TooLarge, {}},
        {"progressive JPEG whose coefficients exceed the working memory",
         claimingSize(blueJpeg(16, 16, 10), 20000, 20000), grid::PictureState::TooLarge, {}},
    };
    for (const Case& c : cases) {
        grid::CellPicture picture = grid::decodePicture(c.bytes);
        EXPECT_EQ(picture.state, c.state) << c.what;
        EXPECT_EQ(picture.image.size(), c.state == grid::PictureState::Decoded ? c.size : QSize(0, 0)) << c.what;
        if (picture.state == grid::PictureState::Decoded && c.bytes[0] == 0xFF) {
            QColor centre = picture.image.pixelColor(c.size.width() / 2, c.size.height() / 2);
            EXPECT_GT(centre.blue(), 220) << c.what;
            EXPECT_LT(centre.red(), 30) << c.what;
        }
    }
}

TEST(PictureDecoderTest, ProgressiveJpegEndsAfterAHundredScans) {
    struct Case {
        int scans;
        bool decoded;
    } cases[] = {{10, true}, {100, true}, {101, false}, {190, false}};
    for (const Case& c : cases) {
        grid::DecodeFailure failure = grid::DecodeFailure::None;
        auto pixels = grid::decodeJpeg(blueJpeg(32, 32, c.scans), &failure);
        EXPECT_EQ(pixels.has_value(), c.decoded) << c.scans;
        EXPECT_EQ(failure, c.decoded ? grid::DecodeFailure::None : grid::DecodeFailure::Damaged) << c.scans;
    }
}

TEST(PcxDecoderTest, EightBitsWithPalette) {
    // 2 x 2: a run of two index-1 pixels, then index 0 and index 2.
    std::vector<uint8_t> data = {0xC2, 1, 0, 2, 0x0C};
    std::vector<uint8_t> palette(768, 0);
    palette[3] = 255;      // index 1 red
    palette[6 + 2] = 255;  // index 2 blue
    data.insert(data.end(), palette.begin(), palette.end());
    auto pixels = grid::decodePcx(pcx(2, 2, 8, 1, 2, data));
    ASSERT_TRUE(pixels);
    EXPECT_EQ(pixels->argb, (std::vector<uint32_t>{0xFFFF0000, 0xFFFF0000, 0xFF000000, 0xFF0000FF}));
}

TEST(PcxDecoderTest, TrueColourAndMonochrome) {
    // One line of 2 pixels in three planes: R = (10, 20), G = (30, 40), B = (50, 60).
    auto rgb = grid::decodePcx(pcx(2, 1, 8, 3, 2, {10, 20, 30, 40, 50, 60}));
    ASSERT_TRUE(rgb);
    EXPECT_EQ(rgb->argb, (std::vector<uint32_t>{0xFF0A1E32, 0xFF14283C}));
    // 3 pixels white, black, white: bits 101 in a 2-byte line.
    auto mono = grid::decodePcx(pcx(3, 1, 1, 1, 2, {0xA0, 0x00}));
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->argb, (std::vector<uint32_t>{0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}));
}

TEST(PcxDecoderTest, RefusesDamagedHeaders) {
    std::vector<uint8_t> palette(769, 0);
    palette[0] = 0x0C;
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"short header", std::vector<uint8_t>(100, 0x0A)},
        {"line shorter than the width", pcx(40, 1, 8, 1, 2, palette)},
        {"eight bits without a palette", pcx(2, 2, 8, 1, 2, {1, 1, 1, 1})},
        {"two planes", pcx(2, 2, 8, 2, 2, palette)},
        {"zero bytes per line", pcx(1, 1, 1, 1, 0, {0})},
    };
    for (const Case& c : cases) EXPECT_FALSE(grid::decodePcx(c.bytes)) << c.what;
}

TEST(PcxDecoderTest, ShortDataLeavesTheRestBlack) {
    auto pixels = grid::decodePcx(pcx(4, 2, 8, 3, 4, {0xC4, 0xFF}));
    ASSERT_TRUE(pixels);
    EXPECT_EQ(pixels->argb[0], 0xFFFF0000u);
    EXPECT_EQ(pixels->argb[7], 0xFF000000u);
}

}  // namespace
