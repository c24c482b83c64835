#include "runtime/value/file_name.h"

#include <gtest/gtest.h>

namespace {

TEST(FileName, GbkTextsBecomeUtf8Paths) {
    EXPECT_EQ(rt::pathFromText("/tmp/表格1.bge").native(), "/tmp/\xE8\xA1\xA8\xE6\xA0\xBC" "1.bge");
    EXPECT_EQ(rt::textFromPath("/tmp/\xE8\xA1\xA8\xE6\xA0\xBC" "1.bge"), "/tmp/表格1.bge");
    EXPECT_EQ(rt::pathFromText("").native(), "");
    EXPECT_EQ(rt::pathFromText("plain/ascii name.bge").native(), "plain/ascii name.bge");
}

TEST(FileName, UnconvertibleBytesAreMarked) {
    // A lead byte cut off at the end of the text, and an emoji in a path on disk.
    EXPECT_EQ(rt::pathFromText("a\xC4").native(), "a\xEF\xBF\xBD");
    EXPECT_EQ(rt::textFromPath("x\xF0\x9F\x98\x80y.bge"), "x?y.bge");
    EXPECT_EQ(rt::textFromPath("bad\xFFutf8"), "bad?utf8");
}

}  // namespace
