#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/exchange/delimited_reader.h"
#include "app/exchange/delimited_writer.h"
#include "app/exchange/split_text.h"

namespace {

using Lines = std::vector<std::vector<std::string>>;

Lines linesOf(const app::TextLines& read) {
    Lines lines;
    size_t at = 0;
    for (int32_t count : read.fieldCounts) {
        std::vector<std::string>& line = lines.emplace_back();
        for (int32_t field = 0; field < count; ++field) {
            size_t end = read.fields.find('\0', at);
            line.emplace_back(read.fields.substr(at, end - at));
            at = end + 1;
        }
    }
    return lines;
}

Lines read(std::string_view text, const app::DelimitedFormat& format = {}) {
    std::optional<app::TextLines> lines = app::readDelimited(text, format);
    EXPECT_TRUE(lines.has_value());
    return lines ? linesOf(*lines) : Lines{};
}

// Texts of a table in row order, each followed by a NUL, as a text block holds them.
std::string block(const Lines& rows) {
    std::string bytes;
    for (const auto& row : rows) {
        for (const std::string& text : row) bytes += text + '\0';
    }
    return bytes;
}

std::string write(const Lines& rows, const app::DelimitedFormat& format = {}) {
    auto columns = static_cast<int32_t>(rows.empty() ? 0 : rows[0].size());
    std::optional<std::string> text = app::writeDelimited(block(rows), static_cast<int32_t>(rows.size()), columns, format);
    EXPECT_TRUE(text.has_value());
    return text.value_or("");
}

TEST(SplitText, TakesEmptyPiecesExceptAtTheEnd) {
    using Pieces = std::vector<std::string_view>;
    EXPECT_EQ(app::splitText("1;;3", ";"), (Pieces{"1", "", "3"}));
    EXPECT_EQ(app::splitText("a;b;", ";"), (Pieces{"a", "b"}));
    EXPECT_EQ(app::splitText(";", ";"), (Pieces{""}));
    EXPECT_TRUE(app::splitText("", ";").empty());
    EXPECT_EQ(app::splitText("a;b", ""), (Pieces{"a;b"}));
    EXPECT_EQ(app::splitText("a<>b<><>c", "<>"), (Pieces{"a", "b", "", "c"}));
}

TEST(SplitText, NeverSplitsInsideADoubleByteCharacter) {
    using Pieces = std::vector<std::string_view>;
    // 0x7C is both "|" and a trail byte: the one inside the character is not a separator.
    EXPECT_EQ(app::splitText("a|\x81\x7C|b", "|"), (Pieces{"a", "\x81\x7C", "b"}));
    // A separator whose bytes straddle two characters is not one either.
    EXPECT_EQ(app::splitText("\xB1\xED\xB8\xF1", "\xED\xB8"), (Pieces{"\xB1\xED\xB8\xF1"}));
    // A lead byte before a byte that cannot trail stands alone.
    EXPECT_EQ(app::splitText("\xC4;x", ";"), (Pieces{"\xC4", "x"}));
}

TEST(DelimitedReader, ReadsLinesAndFieldsLikeTheTwoLevelSplit) {
    EXPECT_EQ(read("a;b;c\r\n1;;3\r\n"), (Lines{{"a", "b", "c"}, {"1", "", "3"}}));
    EXPECT_EQ(read("a\r\n\r\nb"), (Lines{{"a"}, {}, {"b"}}));
    EXPECT_EQ(read("x;\r\n;"), (Lines{{"x"}, {""}}));
    EXPECT_TRUE(read("").empty());
    // The row separator cuts the line first: a column separator that runs into it is
    // no separator.
    EXPECT_EQ(read("xab", {.columnSeparator = "ab", .rowSeparator = "b"}), (Lines{{"xa"}}));
    EXPECT_EQ(read("a;b\nc", {.columnSeparator = ";", .rowSeparator = ""}), (Lines{{"a", "b\nc"}}));
    std::optional<app::TextLines> lines = app::readDelimited("1;2\r\n1;2;3;4\r\n", {});
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->widest, 4);
}

// Files come with the line ends of whatever wrote them: every form ends a line. A row
// separator named exactly, CR LF here, is that separator only.
TEST(DelimitedReader, ALineBreakInAnyFormEndsALine) {
    const std::pair<std::string_view, Lines> cases[] = {
        {"a;b\nc;d\n", {{"a", "b"}, {"c", "d"}}},
        {"a;b\rc;d\r", {{"a", "b"}, {"c", "d"}}},
        {"a\r\nb\nc\rd", {{"a"}, {"b"}, {"c"}, {"d"}}},
        {"a\n\nb", {{"a"}, {}, {"b"}}},
        {"a\n\r\nb", {{"a"}, {}, {"b"}}},
        {"a\r\rb", {{"a"}, {}, {"b"}}},
        {"\n", {{}}},
        {"\xB1\xED\n\xB8\xF1", {{"\xB1\xED"}, {"\xB8\xF1"}}},
    };
    for (const auto& [text, lines] : cases) EXPECT_EQ(read(text), lines) << text;
    EXPECT_EQ(read("a\nb\r\nc\rd", {.rowSeparator = "\r\n"}), (Lines{{"a\nb"}, {"c\rd"}}));
    EXPECT_EQ(read("\"x\ny\"\nz\r", {.quoted = true}), (Lines{{"x\ny"}, {"z"}}));
}

TEST(DelimitedReader, ReadsQuotedFieldsOnlyWhenAskedTo) {
    app::DelimitedFormat quoted{.quoted = true};
    EXPECT_EQ(read("\"a;b\";\"say \"\"hi\"\"\";\"x\r\ny\"\r\n2", quoted),
              (Lines{{"a;b", "say \"hi\"", "x\r\ny"}, {"2"}}));
    EXPECT_EQ(read("\"\";\"\"", quoted), (Lines{{"", ""}}));
    // Bytes after the closing quote still belong to the field; an unclosed quote runs
    // to the end of the text.
    EXPECT_EQ(read("\"a\"b;c\r\n\"open;\r\nx", quoted), (Lines{{"ab", "c"}, {"open;\r\nx"}}));
    EXPECT_EQ(read("\"a;b\"", {}), (Lines{{"\"a", "b\""}}));
}

TEST(DelimitedReader, StopsWhenProgressSaysSo) {
    std::string text;
    for (int line = 0; line < 20000; ++line) text += "a;b\r\n";
    int calls = 0;
    auto stopAtSecond = [&](int64_t done, int64_t total) {
        EXPECT_LE(done, total);
        return ++calls < 2;
    };
    EXPECT_FALSE(app::readDelimited(text, {}, stopAtSecond));
    EXPECT_EQ(calls, 2);
}

TEST(DelimitedWriter, KeepsTheTableShape) {
    // Empty cells keep their separators, so 3 stays in the third column.
    EXPECT_EQ(write({{"a", "b", "c"}, {"1", "", "3"}}), "a;b;c\r\n1;;3");
    // The columns run to the last one holding text, whatever row 1 holds.
    EXPECT_EQ(write({{"", "", ""}, {"1", "2", ""}}), "\r\n1;2");
    EXPECT_EQ(write({{"x", "", "z"}}), "x;;z");
    // An empty row inside is an empty line; empty rows at the end are left out.
    EXPECT_EQ(write({{"a", "b"}, {"", ""}, {"c", ""}, {"", ""}, {"", ""}}), "a;b\r\n\r\nc;");
    EXPECT_EQ(write({{"", ""}, {"", ""}}), "");
    EXPECT_EQ(write({{"a", "b"}}, {.columnSeparator = "|", .rowSeparator = "#"}), "a|b");
}

TEST(DelimitedWriter, QuotesOnlyFieldsThatNeedIt) {
    app::DelimitedFormat quoted{.columnSeparator = ",", .quoted = true};
    EXPECT_EQ(write({{"a,b", "say \"hi\"", "x\ny", "plain"}}, quoted), "\"a,b\",\"say \"\"hi\"\"\",\"x\ny\",plain");
    EXPECT_EQ(write({{"a,b"}}, {.columnSeparator = ","}), "a,b");
}

// Random tables of awkward texts go out and come back cell for cell with quoting on.
TEST(DelimitedText, QuotedExportThenImportGivesBackEveryText) {
    const std::vector<std::string> pieces = {"a", "Z", ";", ",", "|", "\"", "\r\n", "\n", "\r", " ", "表",
                                             "\x81\x7C", "格", "1.5", "<>", "换行"};
    const std::vector<app::DelimitedFormat> formats = {
        {.columnSeparator = ";", .quoted = true},
        {.columnSeparator = ";", .rowSeparator = "\r\n", .quoted = true},
        {.columnSeparator = "|", .rowSeparator = "\n", .quoted = true},
        {.columnSeparator = "<>", .rowSeparator = "表", .quoted = true},
        {.columnSeparator = ",", .rowSeparator = "\r", .quoted = true},
    };
    std::mt19937 random(20261209);
    for (int round = 0; round < 400; ++round) {
        const app::DelimitedFormat& format = formats[static_cast<size_t>(round) % formats.size()];
        auto rows = static_cast<int32_t>(random() % 6 + 1);
        auto columns = static_cast<int32_t>(random() % 5 + 1);
        Lines table(static_cast<size_t>(rows), std::vector<std::string>(static_cast<size_t>(columns)));
        for (auto& row : table) {
            for (std::string& text : row) {
                int length = static_cast<int>(random() % 4);
                for (int i = 0; i < length; ++i) text += pieces[random() % pieces.size()];
            }
        }
        Lines back = read(write(table, format), format);
        ASSERT_LE(back.size(), table.size());
        for (size_t row = 0; row < table.size(); ++row) {
            for (size_t column = 0; column < table[row].size(); ++column) {
                std::string imported = row < back.size() && column < back[row].size() ? back[row][column] : "";
                ASSERT_EQ(imported, table[row][column]) << "round " << round << " cell " << row << "," << column;
            }
        }
    }
}

}  // namespace
