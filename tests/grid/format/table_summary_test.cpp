#include "grid/format/table_summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "grid/format/table_file.h"
#include "grid/format/table_file_io.h"
#include "tests/grid/support/table_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using grid::ReadError;

// The bytes of a table whose cells do not fit one buffer of the summary's reader: a
// picture of 1.5 MiB sits across the refills.
std::string tableFileBytes(const TempDir& directory) {
    TableFixture table(5, 3);
    table.source.setRowHeight(1, 1, 120);
    table.source.setColumnWidth(2, 1, 450);
    table.provider.setFixedRows(1);
    table.source.setFontName({0, 0, 1, 1}, "黑体");
    table.source.setCellText(0, 0, "表格");
    table.source.setKind({2, 1, 1, 1}, grid::CellKind::Picture);
    const std::string picture(3 << 19, '\x5A');
    table.source.setCellData(2, 1, {reinterpret_cast<const uint8_t*>(picture.data()), picture.size()});
    table.source.setCellText(4, 2, "最后");
    grid::PageSettings page = table.provider.pageSettings();
    page.marginLeft = 150;
    page.rowsPerPage = 7;
    table.provider.setPageSettings(page);
    EXPECT_TRUE(grid::saveTableFile(table.source, directory.file("t.bge")));
    return readWholeFile(directory.file("t.bge"));
}

// The bytes as a file gives them, in pieces of uneven size, so that fields and
// records straddle the refills.
grid::ByteSource piecesOf(const std::string& bytes, size_t& given) {
    return [&bytes, &given](uint8_t* into, size_t room) {
        const size_t part = std::min({room, bytes.size() - given, given % 4093 + 1});
        std::memcpy(into, bytes.data() + given, part);
        given += part;
        return part;
    };
}

ReadError summaryOf(const std::string& bytes, grid::TableSummary& summary) {
    size_t given = 0;
    return grid::readTableSummary(piecesOf(bytes, given), bytes.size(), summary);
}

ReadError streamedReadOf(const std::string& bytes, grid::Table& table) {
    size_t given = 0;
    const grid::ByteSource source = piecesOf(bytes, given);
    grid::StreamReader reader(source, bytes.size());
    return grid::readTableFile(reader, table);
}

ReadError fullReadOf(const std::string& bytes, grid::Table& table) {
    return grid::readTableFile({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, table);
}

void putInt32(std::string& bytes, size_t at, int32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
}

// The summary is what info shows instead of loading the table, and the streamed
// reading is how the editor loads it: for every file, whole, cut short anywhere or
// with a damaged field, both must say what reading the whole file at once says.
TEST(TableSummaryTest, SummaryAndStreamedReadingSayWhatReadingTheWholeFileSays) {
    TempDir directory;
    const std::string file = tableFileBytes(directory);
    TableFixture small(2, 2);
    small.source.setCellText(1, 1, "小");
    ASSERT_TRUE(grid::saveTableFile(small.source, directory.file("small.bge")));
    // A file that one read takes whole, and one that takes several.
    std::vector<std::string> inputs{readWholeFile(directory.file("small.bge")), file};
    for (size_t length = 0; length < 220; ++length) inputs.push_back(file.substr(0, length));
    for (size_t length : {size_t(1) << 20, file.size() - 40, file.size() - 36, file.size() - 1}) {
        inputs.push_back(file.substr(0, length));
    }
    // Counts and lengths: negative rows, too many columns, a negative and an oversized
    // content length, and a face name too long to be one (which loading passes over).
    const size_t firstCell = 20 + 4 * (5 + 3);
    for (auto [at, value] : {std::pair<size_t, int32_t>{4, -1}, {8, 20000}, {firstCell + 16, -5},
                             {firstCell + 16, 40}, {firstCell + 20 + 6, 1 << 30}}) {
        std::string damaged = file;
        putInt32(damaged, at, value);
        inputs.push_back(damaged);
    }
    for (const std::string& bytes : inputs) {
        grid::TableSummary summary;
        grid::Table table({40, 200});
        const ReadError expected = fullReadOf(bytes, table);
        ASSERT_EQ(summaryOf(bytes, summary), expected) << bytes.size() << " bytes";
        grid::Table streamed({40, 200});
        ASSERT_EQ(streamedReadOf(bytes, streamed), expected) << bytes.size() << " bytes";
        if (expected != ReadError::None) continue;
        grid::MemorySink wholeBytes;
        grid::MemorySink streamedBytes;
        grid::writeTableFile(wholeBytes, table);
        grid::writeTableFile(streamedBytes, streamed);
        EXPECT_EQ(streamedBytes.bytes(), wholeBytes.bytes());
        ASSERT_EQ(summary.rowCount(), table.rowCount());
        ASSERT_EQ(summary.columnCount(), table.columnCount());
        EXPECT_EQ(summary.fixedRows(), table.fixedRows());
        for (int32_t row = 0; row < table.rowCount(); ++row) EXPECT_EQ(summary.rowHeight(row), table.rowHeight(row));
        for (int32_t column = 0; column < table.columnCount(); ++column) {
            EXPECT_EQ(summary.columnWidth(column), table.columnWidth(column));
        }
        EXPECT_EQ(summary.page.marginLeft, table.pageSettings().marginLeft);
        EXPECT_EQ(summary.page.rowsPerPage, table.pageSettings().rowsPerPage);
    }
    EXPECT_GT(inputs.size(), 200u);
}

TEST(TableSummaryTest, ReadsOnlyRegularFiles) {
    TempDir directory;
    const std::string file = tableFileBytes(directory);
    grid::TableSummary summary;
    EXPECT_EQ(grid::readTableSummary(directory.file("t.bge"), summary), ReadError::None);
    EXPECT_EQ(summary.rowCount(), 5);
    EXPECT_EQ(summary.page.rowsPerPage, 7);
    EXPECT_EQ(grid::readTableSummary(directory.path().string(), summary), ReadError::CannotOpen);
    EXPECT_EQ(grid::readTableSummary("/dev/zero", summary), ReadError::CannotOpen);
    EXPECT_EQ(grid::readTableSummary(directory.file("missing.bge"), summary), ReadError::CannotOpen);
}

}  // namespace
