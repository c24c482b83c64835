#include "grid/model/picture_format.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using grid::PictureFormat;

struct Recognition {
    std::vector<uint8_t> bytes;
    PictureFormat format;
};

class PictureFormatTest : public testing::TestWithParam<Recognition> {};

TEST_P(PictureFormatTest, RecognisesByTheFirstBytes) {
    EXPECT_EQ(grid::recognisePicture(GetParam().bytes), GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(
    Signatures, PictureFormatTest,
    testing::Values(Recognition{{'B', 'M', 0, 0, 0, 0}, PictureFormat::Bitmap},
                    Recognition{{'B', 'M', 0, 0, 0}, PictureFormat::None},
                    Recognition{{0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10}, PictureFormat::Jpeg},
                    Recognition{{0, 0, 1, 0, 1, 0}, PictureFormat::Icon},
                    Recognition{{0, 0, 1, 0, 0, 0}, PictureFormat::None},
                    Recognition{{0, 0, 2, 0, 0, 1}, PictureFormat::Cursor},
                    Recognition{{'G', 'I', 'F', '8', '7', 'a'}, PictureFormat::Gif},
                    Recognition{{'G', 'I', 'F', '8', '9', 'a', 1}, PictureFormat::Gif},
                    Recognition{{'G', 'I', 'F', '8', '8', 'a'}, PictureFormat::None},
                    Recognition{{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, PictureFormat::Png},
                    Recognition{{0x89, 'P', 'N', 'G', 0x0D, 0x0A}, PictureFormat::None},
                    Recognition{{0x0A, 5, 1, 8, 0, 0}, PictureFormat::Pcx},
                    Recognition{{0x0A, 6, 1, 8, 0, 0}, PictureFormat::None},
                    Recognition{{0x0A, 3, 1, 1, 0, 0}, PictureFormat::Pcx},
                    Recognition{{0x0A, 5, 1, 1, 0, 0}, PictureFormat::None},
                    Recognition{{0x0A, 5, 0, 8, 0, 0}, PictureFormat::None},
                    Recognition{{'h', 'e', 'l', 'l', 'o', '!'}, PictureFormat::None}));

}  // namespace
