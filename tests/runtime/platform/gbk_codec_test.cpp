#include "runtime/platform/gbk_codec.h"

#include <gtest/gtest.h>

namespace {

TEST(GbkCodec, DecodesAndEncodesChineseText) {
    EXPECT_EQ(rt::fromGbk("\xC4\xEA"), QStringLiteral("年"));
    EXPECT_EQ(rt::toGbk(QStringLiteral("表格文件")), "表格文件");
    EXPECT_EQ(rt::gbkToUtf8("年"), "\xE5\xB9\xB4");
    EXPECT_EQ(rt::utf8ToGbk("\xE5\xB9\xB4"), "年");
    // 0x80 is the euro sign in this code page, both ways.
    EXPECT_EQ(rt::fromGbk("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(rt::toGbk(QString(QChar(0x20AC))), "\x80");
}

TEST(GbkCodec, EveryTwoByteCharacterRoundTrips) {
    int characters = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            QString decoded = rt::fromGbk({bytes, 2});
            if (decoded.size() != 1 || decoded[0] == QChar(0xFFFD)) continue;
            ++characters;
            ASSERT_EQ(rt::toGbk(decoded), std::string(bytes, 2)) << std::hex << lead << " " << trail;
        }
    }
    EXPECT_EQ(characters, 23940);
}

TEST(GbkCodec, InvalidBytesBecomeReplacementCharacters) {
    // A lead byte at the end, 0xFF, a lead byte followed by a control character.
    EXPECT_EQ(rt::fromGbk("a\xC4"), QStringLiteral("a\uFFFD"));
    EXPECT_EQ(rt::fromGbk("\xFF" "b"), QStringLiteral("\uFFFD" "b"));
    QString leadThenNewline = rt::fromGbk("\xC4\n");
    EXPECT_TRUE(leadThenNewline.startsWith(QChar(0xFFFD)));
    EXPECT_TRUE(leadThenNewline.endsWith(QLatin1Char('\n')));
}

TEST(GbkCodec, UnencodableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(rt::toGbk(QString::fromUtf8("a\xF0\x9F\x98\x80" "b")), "a?b");  // an emoji
    EXPECT_EQ(rt::toGbk(QString(QChar(0xD800)) + QStringLiteral("年")), "?年");  // a lone surrogate
    EXPECT_EQ(rt::toGbk(QStringLiteral("x\u0E01y")), "x?y");  // Thai, inside the basic plane
    EXPECT_EQ(rt::toGbk(QString()), "");
    EXPECT_EQ(rt::fromGbk(""), QString());
}

}  // namespace

namespace {

// The converter keeps an error once it has one; a character after an unmappable one
// must still convert.
TEST(GbkCodec, ACharacterAfterAnUnmappableOneStillConverts) {
    QString text = QString(QChar(0x80)) + QStringLiteral("表");
    EXPECT_EQ(rt::toGbk(text), "?表");
}

}  // namespace
