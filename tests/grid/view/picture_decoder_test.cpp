// Decoding the picture forms a cell may hold, and refusing everything else.
#include "grid/view/picture_decoder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <algorithm>
#include <array>
#include <QImage>
#include <string>
#include <vector>

#include "grid/view/jpeg_decoder.h"
#include "grid/view/pcx_decoder.h"

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

TEST(PictureDecoderTest, DecodesEveryRecognisedForm) {
    const QImage blue = filled(7, 5, QColor(0, 0, 255));
    struct Case {
        const char* format;
        int width;
    } cases[] = {{"BMP", 7}, {"PNG", 7}, {"ICO", 7}, {"JPEG", 7}};
    for (const Case& c : cases) {
        QImage image = grid::decodePicture(encoded(blue, c.format));
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
    QImage image = grid::decodePicture(gif);
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
    for (const auto& bytes : notPictures) EXPECT_TRUE(grid::decodePicture(bytes).isNull()) << bytes.size();
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
