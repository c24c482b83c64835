#include "app/exchange/text_exchange.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "runtime/value/file_name.h"
#include "tests/app/table_unit.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::TableUnit;

app::TextLines linesOf(std::string_view text, const app::DelimitedFormat& format = {}) {
    return app::readDelimited(text, format).value();
}

TEST(TextEncoding, GuessesUtf8FromTheMarkOrFromWellFormedUtf8) {
    EXPECT_EQ(app::guessEncoding("\xEF\xBB\xBF" "a;b"), app::TextEncoding::Utf8);
    // "表格" in UTF-8 also pairs up into well-formed GBK bytes; it is still UTF-8.
    EXPECT_EQ(app::guessEncoding("\xE8\xA1\xA8\xE6\xA0\xBC;1"), app::TextEncoding::Utf8);
    EXPECT_EQ(app::guessEncoding("表格;1"), app::TextEncoding::Gbk);
    EXPECT_EQ(app::guessEncoding("a;b\r\n"), app::TextEncoding::Gbk);
}

TEST(TextEncoding, DecodesUpToTheFirstZeroByteAndReportsWhatGbkCannotHold) {
    EXPECT_EQ(app::decodeFileText(std::string_view("a;b\0c", 5), app::TextEncoding::Gbk).text, "a;b");
    rt::GbkFromUtf8 decoded = app::decodeFileText("\xEF\xBB\xBF\xE8\xA1\xA8\r\nx\n\xF0\x9F\x98\x80;\xF0\x9F\x98\x80",
                                                  app::TextEncoding::Utf8);
    EXPECT_EQ(decoded.text, "表\r\nx\n?;?");
    EXPECT_EQ(decoded.unmappable, 2);
    EXPECT_EQ(decoded.firstUnmappableLine, 3);
    // A byte that is not UTF-8 is reported too.
    EXPECT_EQ(app::decodeFileText("a\xC4", app::TextEncoding::Utf8).unmappable, 1);
    EXPECT_EQ(app::encodeFileText("表", app::TextEncoding::Utf8), "\xE8\xA1\xA8");
    EXPECT_EQ(app::encodeFileText("表", app::TextEncoding::Utf8WithMark), "\xEF\xBB\xBF\xE8\xA1\xA8");
    EXPECT_EQ(app::encodeFileText("表", app::TextEncoding::Gbk), "表");
}

TEST(TextImport, GrowsToEveryLineAndTheWidestAndWritesFromTheFirstCell) {
    TableUnit unit(2, 3);
    app::DataSourceRef table = unit.ref();
    table.setCellText(1, 3, "keep");
    table.setCellText(2, 3, "old");
    ASSERT_EQ(app::importLines(table, linesOf("a;b\r\n1;2;3;4\r\n\r\nx")), app::ImportResult::Imported);
    EXPECT_EQ(table.rowCount(), 4);
    EXPECT_EQ(table.columnCount(), 4);
    EXPECT_EQ(table.cellText(1, 1), "a");
    EXPECT_EQ(table.cellText(1, 3), "keep");  // beyond the line's fields
    EXPECT_EQ(table.cellText(2, 3), "3");
    EXPECT_EQ(table.cellText(2, 4), "4");
    EXPECT_EQ(table.cellText(3, 1), "");
    EXPECT_EQ(table.cellText(4, 1), "x");
}

TEST(TextImport, AOneColumnTableTakesEveryField) {
    TableUnit unit(1, 1);
    app::DataSourceRef table = unit.ref();
    ASSERT_EQ(app::importLines(table, linesOf("a;b;c\r\n")), app::ImportResult::Imported);
    EXPECT_EQ(table.columnCount(), 3);
    EXPECT_EQ(table.cellText(1, 3), "c");
}

TEST(TextImport, NothingToImportAndACancelLeaveTheTableAsItWas) {
    TableUnit unit(3, 2);
    app::DataSourceRef table = unit.ref();
    table.setCellText(1, 1, "before");
    EXPECT_EQ(app::importLines(table, linesOf("")), app::ImportResult::NothingToImport);

    std::string text;
    for (int line = 0; line < 10000; ++line) text += "x;y;z\r\n";
    auto cancelAtOnce = [](int64_t, int64_t) { return false; };
    EXPECT_EQ(app::importLines(table, linesOf(text), cancelAtOnce), app::ImportResult::Cancelled);
    EXPECT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.columnCount(), 2);
    EXPECT_EQ(table.cellText(1, 1), "before");
}

TEST(TextExport, ExportThenImportIntoANewTableGivesTheSameCells) {
    TableUnit unit(4, 3);
    app::DataSourceRef table = unit.ref();
    table.setCellText(1, 2, "表;格");
    table.setCellText(1, 3, "say \"hi\"");
    table.setCellText(3, 1, "two\r\nlines");
    app::DelimitedFormat format{.columnSeparator = ";", .quoted = true};
    std::optional<std::string> text = app::exportLines(table, format);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, ";\"表;格\";\"say \"\"hi\"\"\"\r\n\r\n\"two\r\nlines\";;");

    TableUnit copy(1, 1);
    ASSERT_EQ(app::importLines(copy.ref(), linesOf(*text, format)), app::ImportResult::Imported);
    EXPECT_EQ(copy.ref().rowCount(), 3);
    EXPECT_EQ(copy.ref().columnCount(), 3);
    for (int32_t row = 1; row <= 3; ++row) {
        for (int32_t column = 1; column <= 3; ++column) {
            EXPECT_EQ(copy.ref().cellText(row, column), table.cellText(row, column)) << row << "," << column;
        }
    }
}

TEST(TextFiles, AFailedWriteIsReportedAndLeavesTheOldFile) {
    TempDir directory;
    std::string target = directory.file("out.txt");
    ASSERT_TRUE(app::writeFileBytes(target, "first"));
    EXPECT_EQ(app::readFileBytes(target).value_or(""), "first");

    std::filesystem::create_directory(directory.path() / "folder.txt");
    EXPECT_FALSE(app::writeFileBytes(directory.file("folder.txt"), "x"));
    EXPECT_FALSE(app::writeFileBytes(directory.file("missing/out.txt"), "x"));
    EXPECT_FALSE(app::readFileBytes(directory.file("missing.txt")));
    if (geteuid() != 0) {
        ::chmod(directory.path().c_str(), 0500);
        EXPECT_FALSE(app::writeFileBytes(target, "second"));
        ::chmod(directory.path().c_str(), 0700);
        EXPECT_EQ(app::readFileBytes(target).value_or(""), "first");
    }
}

TEST(TextFiles, NamesAreGbkTexts) {
    TempDir directory;
    std::string name = rt::textFromPath(directory.path() / std::filesystem::path(u8"数据.txt"));
    ASSERT_TRUE(app::writeFileBytes(name, "1;2"));
    EXPECT_EQ(readWholeFile((directory.path() / std::filesystem::path(u8"数据.txt")).string()), "1;2");
}

}  // namespace
