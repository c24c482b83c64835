#include "grid/format/table_file_io.h"

#include <gtest/gtest.h>

#include <string>

#include "grid/format/read_error.h"
#include "tests/grid/support/byte_builder.h"
#include "tests/grid/support/table_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using grid::ReadError;
using Kind = grid::ModelNotice::Kind;
using namespace std::string_literals;

// A table that uses every part of the format: sizes, fixed rows, merged cells, lines,
// a face name, every content kind, masked and locked cells and stored page settings.
void fillVariedTable(TableFixture& table) {
    grid::DataSrc& source = table.source;
    source.setRowHeight(1, 1, 120);
    source.setColumnWidth(2, 1, 450);
    source.mergeCells({1, 1, 2, 2});
    source.drawLines({0, 0, 4, 3}, 15 | 16 | 32 | 64);
    source.setFontName({0, 0, 1, 1}, "黑体");
    source.setFontStyle({0, 0, 1, 2}, 5);
    source.setCellText(0, 0, "表格");
    source.setCellText(0, 1, "x");
    source.setKind({2, 0, 1, 1}, grid::CellKind::Picture);
    const uint8_t picture[] = {'B', 'M', 0, 1, 2, 0, 0xFF, 0};
    source.setCellData(2, 0, picture);
    source.setKind({3, 0, 1, 1}, grid::CellKind::Binary);
    const uint8_t data[] = {0, 0, 0};
    source.setCellData(3, 0, data);
    source.setKind({3, 1, 1, 1}, grid::CellKind::VerbatimText);
    source.setCellText(3, 1, "c:\\图片.bmp");
    source.setBackColor({3, 2, 1, 1}, 0x00FF00);
    table.provider.setFlags(3, 2, table.flags(3, 2) | grid::CellFlags::kMasked | grid::CellFlags::kLocked);
    table.provider.setFixedRows(1);
    grid::PageSettings settings;
    settings.marginLeft = 100;
    settings.scale = -1;
    settings.orientation = 2;
    settings.rowsPerPage = 30;
    settings.copies = 3;
    table.provider.setPageSettings(settings);
}

TEST(TableFileTest, AnEmptyTableIsTheMagicFourZeroCountsAndThePageSettings) {
    TempDir directory;
    TableFixture table;
    ASSERT_TRUE(grid::saveTableFile(table.source, directory.file("empty.bge")));
    std::string expected = ByteBuilder().raw("SDmR").int32(0).int32(0).int32(0).int32(0).defaultPageSettings().str();
    EXPECT_EQ(expected.size(), 56u);
    EXPECT_EQ(readWholeFile(directory.file("empty.bge")), expected);
}

TEST(TableFileTest, TextIsWrittenWithItsNulAndEmptyTextWithLengthZero) {
    TempDir directory;
    TableFixture table(1, 2);
    table.source.setCellText(0, 0, "a");
    ASSERT_TRUE(grid::saveTableFile(table.source, directory.file("t.bge")));
    std::string expected = ByteBuilder()
                               .raw("SDmR")
                               .int32(1).int32(2).int32(0).int32(0)
                               .int32(58).int32(312).int32(312)
                               .cell(1, "", "a\0"s)
                               .cell(1, "", "")
                               .defaultPageSettings()
                               .str();
    EXPECT_EQ(readWholeFile(directory.file("t.bge")), expected);
}

TEST(TableFileTest, SavedLoadedAndSavedAgainIsByteForByteTheSame) {
    TempDir directory;
    TableFixture original(4, 3);
    fillVariedTable(original);
    ASSERT_TRUE(grid::saveTableFile(original.source, directory.file("a.bge")));

    TableFixture loaded(1, 1);
    ASSERT_EQ(grid::loadTableFile(loaded.source, directory.file("a.bge")), ReadError::None);
    ASSERT_TRUE(grid::saveTableFile(loaded.source, directory.file("b.bge")));
    EXPECT_EQ(readWholeFile(directory.file("a.bge")), readWholeFile(directory.file("b.bge")));

    EXPECT_EQ(loaded.text(0, 0), "表格");
    EXPECT_EQ(loaded.provider.table().cell(0, 0).fontNameView(), "黑体");
    EXPECT_EQ(loaded.provider.rowHeight(1), 120);
    EXPECT_EQ(loaded.provider.fixedRows(), 1);
    EXPECT_EQ(loaded.flags(2, 2) & grid::CellFlags::kMergeMask,
              grid::CellFlags::kJoinedLeft | grid::CellFlags::kJoinedAbove);
    EXPECT_EQ(loaded.provider.table().cell(2, 0).contentLength(), 8u);
    const grid::PageSettings& settings = loaded.provider.pageSettings();
    EXPECT_EQ(settings.marginLeft, 100);
    EXPECT_EQ(settings.scale, -1);
    EXPECT_EQ(settings.orientation, 2);
    EXPECT_EQ(settings.rowsPerPage, 30);
    EXPECT_EQ(settings.copies, 1) << "fields outside the stored block return to their defaults";
}

TEST(TableFileTest, ALoadStartsTheViewsOverAtRowZero) {
    TempDir directory;
    TableFixture original(4, 3);
    ASSERT_TRUE(grid::saveTableFile(original.source, directory.file("a.bge")));
    TableFixture loaded(9, 1);
    loaded.source.setCurrentRow(6);
    loaded.recorder.notices.clear();
    ASSERT_EQ(grid::loadTableFile(loaded.source, directory.file("a.bge")), ReadError::None);
    EXPECT_EQ(loaded.recorder.kinds(), (std::vector{Kind::BeforeChange, Kind::CurrentRow, Kind::Reset}));
    EXPECT_EQ(loaded.source.currentRow(), 0);
    EXPECT_EQ(loaded.source.columnCount(), 3);
}

TEST(TableFileTest, AFileWithTheWrongMagicChangesNothingAndTellsNoView) {
    TempDir directory;
    TableFixture table(2, 2);
    table.source.setCellText(1, 1, "keep");
    table.recorder.notices.clear();
    const std::string cases[] = {
        ByteBuilder().raw("TSmR").int32(1).int32(1).cell(1, "", "").str(),
        "SDm"s,
        ""s,
    };
    for (const std::string& bytes : cases) {
        writeWholeFile(directory.file("x.bge"), bytes);
        EXPECT_EQ(grid::loadTableFile(table.source, directory.file("x.bge")), ReadError::WrongMagic);
    }
    EXPECT_EQ(grid::loadTableFile(table.source, directory.file("missing.bge")), ReadError::CannotOpen);
    EXPECT_EQ(grid::loadTableFile(table.source, ""), ReadError::CannotOpen);
    EXPECT_EQ(grid::loadTableFile(table.source, directory.path().string()), ReadError::CannotOpen);
    EXPECT_EQ(table.text(1, 1), "keep");
    EXPECT_TRUE(table.recorder.notices.empty());
}

TEST(TableFileTest, EveryTruncationFailsAndKeepsThePreviousTable) {
    TempDir directory;
    TableFixture original(4, 3);
    fillVariedTable(original);
    ASSERT_TRUE(grid::saveTableFile(original.source, directory.file("a.bge")));
    std::string whole = readWholeFile(directory.file("a.bge"));

    TableFixture table(2, 2);
    table.source.setCellText(1, 1, "keep");
    for (size_t length = 4; length < whole.size(); ++length) {
        writeWholeFile(directory.file("cut.bge"), whole.substr(0, length));
        table.recorder.notices.clear();
        ASSERT_EQ(grid::loadTableFile(table.source, directory.file("cut.bge")), ReadError::Truncated) << length;
        ASSERT_EQ(table.source.rowCount(), 2);
        ASSERT_EQ(table.text(1, 1), "keep");
        ASSERT_EQ(table.recorder.kinds().back(), Kind::Reset) << "the views are told before they draw again";
    }
}

TEST(TableFileTest, HostileCountsAndLengthsAreRefusedBeforeAnythingIsAllocated) {
    auto header = [](int64_t rows, int64_t columns) {
        return ByteBuilder().raw("SDmR").int32(rows).int32(columns).int32(0).int32(0);
    };
    struct Case {
        std::string name;
        std::string bytes;
        ReadError error;
    };
    const Case cases[] = {
        {"negative rows", header(-1, 1).str(), ReadError::NegativeField},
        {"rows beyond the limit", header(0x7FFFFFFF, 1).str(), ReadError::TooLarge},
        {"cells beyond the limit", header(100000, 10000).str(), ReadError::TooLarge},
        {"more cells than bytes", header(1000, 1000).raw(std::string(4000, '\0')).str(), ReadError::Truncated},
        {"negative name length", header(1, 1).int32(58).int32(312).int32(1).int32(0).int32(0).int16(40)
                                      .int16(9).int32(-1).raw(std::string(40, '\0')).str(),
         ReadError::NegativeField},
        {"content beyond the limit", header(1, 1).int32(58).int32(312).int32(1).int32(0).int32(0).int16(40)
                                          .int16(9).int32(0).int32(0x7FFFFFF0).raw(std::string(36, '\0')).str(),
         ReadError::TooLarge},
        {"content length past the end", header(1, 1).int32(58).int32(312).int32(1).int32(0).int32(0).int16(40)
                                             .int16(9).int32(0).int32(100).raw(std::string(50, 'x')).str(),
         ReadError::Truncated},
    };
    TempDir directory;
    for (const Case& c : cases) {
        TableFixture table(2, 2);
        writeWholeFile(directory.file("h.bge"), c.bytes);
        EXPECT_EQ(grid::loadTableFile(table.source, directory.file("h.bge")), c.error) << c.name;
        EXPECT_EQ(table.source.rowCount(), 2) << c.name;
    }
}

TEST(TableFileTest, AFaceNameTooLongForItsFieldFallsBackToTheDefaultFace) {
    struct Case {
        std::string stored;
        std::string loaded;
    };
    const Case cases[] = {{std::string(31, 'f'), std::string(31, 'f')}, {std::string(32, 'f'), ""},
                          {std::string(200, 'f'), ""}};
    TempDir directory;
    for (const Case& c : cases) {
        std::string bytes = ByteBuilder()
                                .raw("SDmR").int32(1).int32(2).int32(0).int32(0)
                                .int32(58).int32(312).int32(312)
                                .cell(1, c.stored, "a\0"s)
                                .cell(1, "", "b\0"s)
                                .defaultPageSettings()
                                .str();
        writeWholeFile(directory.file("f.bge"), bytes);
        TableFixture table;
        ASSERT_EQ(grid::loadTableFile(table.source, directory.file("f.bge")), ReadError::None) << c.stored.size();
        EXPECT_EQ(table.provider.table().cell(0, 0).fontNameView(), c.loaded);
        EXPECT_EQ(table.text(0, 0), "a");
        EXPECT_EQ(table.text(0, 1), "b") << "the rest of the file is read in step";
    }
}

TEST(TableFileTest, FixedCountsBeyondTheTableAreKeptWithinIt) {
    std::string bytes = ByteBuilder().raw("SDmR").int32(1).int32(1).int32(7).int32(-3)
                            .int32(58).int32(312).cell(1, "", "").defaultPageSettings().str();
    TempDir directory;
    writeWholeFile(directory.file("f.bge"), bytes);
    TableFixture table;
    ASSERT_EQ(grid::loadTableFile(table.source, directory.file("f.bge")), ReadError::None);
    EXPECT_EQ(table.provider.fixedRows(), 1);
    EXPECT_EQ(table.provider.fixedColumns(), 0);
}

TEST(TableFileTest, TextWithoutItsNulStillReadsAsText) {
    std::string bytes = ByteBuilder().raw("SDmR").int32(1).int32(1).int32(0).int32(0)
                            .int32(58).int32(312).cell(1, "", "abc").defaultPageSettings().str();
    TempDir directory;
    writeWholeFile(directory.file("n.bge"), bytes);
    TableFixture table;
    ASSERT_EQ(grid::loadTableFile(table.source, directory.file("n.bge")), ReadError::None);
    EXPECT_EQ(table.text(0, 0), "abc");
    ASSERT_TRUE(grid::saveTableFile(table.source, directory.file("m.bge")));
    EXPECT_EQ(readWholeFile(directory.file("m.bge")), bytes) << "the stored bytes are kept as they were";
}

}  // namespace
