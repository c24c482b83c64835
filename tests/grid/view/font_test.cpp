// Chinese face names reach the installed CJK fonts, and text is measured in 0.1 mm.
#include <gtest/gtest.h>

#include <QFontInfo>

#include "grid/model/cell_flags.h"
#include "grid/view/cell_font.h"
#include "grid/view/qt_text_measurer.h"

namespace {

TEST(FontTest, ChineseFaceNamesMapToInstalledFonts) {
    struct Case {
        const char* face;
        QString installed;
    } cases[] = {
        {"宋体", QStringLiteral("AR PL UMing CN")},
        {"", QStringLiteral("AR PL UMing CN")},  // no name means 宋体
        {"楷体_GB2312", QStringLiteral("AR PL UKai CN")},
        {"黑体", QStringLiteral("WenQuanYi Zen Hei")},
        {"@黑体", QStringLiteral("WenQuanYi Zen Hei")},
    };
    for (const Case& c : cases) {
        const QFont font = grid::cellFont(c.face, 20, 0);
        EXPECT_EQ(QFontInfo(font).family(), c.installed) << c.face;
    }
}

TEST(FontTest, StyleBitsAndColours) {
    using namespace grid::CellFlags;
    const QFont font = grid::cellFont("宋体", 20, kBold | kItalic | kUnderline | kStrikeout);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_TRUE(font.strikeOut());
    EXPECT_EQ(font.pixelSize(), 20);
    EXPECT_EQ(grid::colorOf(0x00332211), QColor(0x11, 0x22, 0x33));
}

TEST(FontTest, MeasuresInTenthsOfAMillimetre) {
    grid::QtTextMeasurer measurer;
    const grid::TextExtent letter = measurer.measure("宋体", 40, "W");
    const grid::TextExtent doubled = measurer.measure("宋体", 80, "W");
    EXPECT_GE(letter.height, 40);
    EXPECT_LT(letter.height, 60);
    EXPECT_GT(letter.width, 10);
    EXPECT_NEAR(doubled.width, 2 * letter.width, 2);
    EXPECT_GT(measurer.measure("宋体", 40, "年年").width, measurer.measure("宋体", 40, "年").width);
}

}  // namespace
