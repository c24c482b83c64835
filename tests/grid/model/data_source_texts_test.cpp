// Reading and writing the texts of a rectangle as one block of NUL-ended texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/grid/model/same_table.h"
#include "tests/grid/support/table_fixture.h"

namespace {

using namespace std::string_literals;
using Kind = grid::ModelNotice::Kind;

const uint8_t kPicture[] = {'G', 'I', 'F', '8', '9', 'a'};

// Columns of every input type, a verbatim column that still has a numeric input type,
// and a picture and a data cell in the middle.
void prepareColumns(grid::DataSrc& source) {
    const grid::InputType types[] = {grid::InputType::Normal, grid::InputType::Byte,    grid::InputType::Integer,
                                     grid::InputType::Float,  grid::InputType::Logical, grid::InputType::DateTime,
                                     grid::InputType::Integer};
    for (int column = 0; column < 7; ++column) source.setInputType({0, column, 3, 1}, types[column]);
    source.setKind({0, 6, 3, 1}, grid::CellKind::VerbatimText);
    source.setKind({1, 1, 1, 1}, grid::CellKind::Picture);
    source.setCellData(1, 1, kPicture);
    source.setKind({2, 4, 1, 1}, grid::CellKind::Binary);
    source.setCellData(2, 4, kPicture);
    for (int column = 0; column < 7; ++column) source.setCellText(0, column, "old");
}

TEST(DataSourceTextsTest, EachTextIsWrittenAsSetCellTextWritesIt) {
    const std::vector<std::string> texts = {
        "12.5", "300", "１２３abc",   "1.25e2", "真", "2024-02-29", "007",  // row 0
        "x",    "9",   "-7",         "",       "no", "2024-02-30", "",     // row 1: a picture cell
        "",     "",    "2147483648", "abc",    "",   "1999/1/2",   "8.5",  // row 2: a data cell
    };
    std::string block;
    for (const std::string& text : texts) block += text + '\0';
    TableFixture together(3, 7);
    TableFixture oneByOne(3, 7);
    prepareColumns(together.source);
    prepareColumns(oneByOne.source);
    together.source.putTexts(0, 0, 3, 7, block);
    for (int i = 0; i < 21; ++i) oneByOne.source.setCellText(i / 7, i % 7, texts[static_cast<size_t>(i)]);
    EXPECT_TRUE(sameTable(together.provider.table(), oneByOne.provider.table()));
    EXPECT_EQ(together.text(0, 2), "123") << "the input type converts";
    EXPECT_EQ(together.text(0, 6), "007") << "a verbatim cell keeps the text as given";
    EXPECT_EQ(together.text(2, 4), "") << "a data cell has no text";
    const grid::Cell& picture = together.provider.table().cell(1, 1);
    EXPECT_EQ(std::vector(picture.content().begin(), picture.content().end()),
              std::vector(std::begin(kPicture), std::end(kPicture)));
}

TEST(DataSourceTextsTest, CellsOutsideTheTableUseUpTheirTexts) {
    TableFixture table(4, 3);
    table.recorder.notices.clear();
    table.source.putTexts(-1, 1, 3, 3, "a\0b\0c\0d\0e\0f\0g\0h\0i\0"s);
    EXPECT_EQ(table.text(0, 1), "d");
    EXPECT_EQ(table.text(0, 2), "e");
    EXPECT_EQ(table.text(1, 1), "g");
    EXPECT_EQ(table.text(1, 2), "h");
    EXPECT_EQ(table.text(0, 0), "");
    EXPECT_EQ(table.text(2, 1), "");
    const grid::ModelNotice cells{.kind = Kind::Cells, .row = 0, .column = 1, .rowCount = 2, .columnCount = 2};
    EXPECT_EQ(table.recorder.notices, (std::vector<grid::ModelNotice>{{.kind = Kind::BeforeChange}, cells}));

    TableFixture left(2, 3);
    left.recorder.notices.clear();
    left.source.putTexts(0, -1, 2, 2, "a\0b\0c\0d\0"s);
    EXPECT_EQ(left.text(0, 0), "b");
    EXPECT_EQ(left.text(1, 0), "d");
    EXPECT_EQ(left.text(0, 1), "") << "the rectangle is only two columns wide";
    EXPECT_EQ(left.recorder.notices.back(),
              (grid::ModelNotice{.kind = Kind::Cells, .row = 0, .column = 0, .rowCount = 2, .columnCount = 1}));
}

struct ShortBlockCase {
    const char* name;
    int row;
    std::string block;
    std::string after;  // the texts of the whole 3 x 3 table afterwards
    grid::ModelNotice cells;
};

TEST(DataSourceTextsTest, AShortBlockEndsEarlyAndTheNoticeCoversOnlyTheCellsWritten) {
    const ShortBlockCase cases[] = {
        {"a row and a bit; the last text without its NUL", 0, "1\0"s "2\0"s "3\0"s "4",
         "1\0"s "2\0"s "3\0"s "4\0\0\0"s "\0\0x\0"s, {.kind = Kind::Cells, .rowCount = 2, .columnCount = 3}},
        {"part of one row", 1, "1\0"s "2\0"s, "\0\0\0"s "1\0"s "2\0\0"s "\0\0x\0"s,
         {.kind = Kind::Cells, .row = 1, .rowCount = 1, .columnCount = 2}},
        {"only the short row lies in the table", -1, "1\0"s "2\0"s "3\0"s "4\0"s, "4\0\0\0"s "\0\0\0"s "\0\0x\0"s,
         {.kind = Kind::Cells, .rowCount = 1, .columnCount = 1}},
        {"empty texts clear", 2, "\0\0\0"s, std::string(9, '\0'),
         {.kind = Kind::Cells, .row = 2, .rowCount = 1, .columnCount = 3}},
    };
    for (const ShortBlockCase& c : cases) {
        TableFixture table(3, 3);
        table.source.setCellText(2, 2, "x");
        table.recorder.notices.clear();
        table.source.putTexts(c.row, 0, 3, 3, c.block);
        EXPECT_EQ(table.source.cellTexts({0, 0, 3, 3}), c.after) << c.name;
        EXPECT_EQ(table.recorder.notices, (std::vector<grid::ModelNotice>{{.kind = Kind::BeforeChange}, c.cells}))
            << c.name;
    }
}

TEST(DataSourceTextsTest, NothingCoveredOrReadOnlyWritesAndTellsNothing) {
    TableFixture table(3, 3);
    table.recorder.notices.clear();
    table.source.putTexts(0, 0, 2, 2, "");
    table.source.putTexts(3, 0, 2, 2, "a\0"s);
    table.source.putTexts(0, -2, 2, 2, "a\0b\0"s);
    table.source.putTexts(0, 0, 0, 2, "a\0"s);
    table.source.putTexts(0, 0, 2, -1, "a\0"s);
    EXPECT_TRUE(table.recorder.notices.empty());
    table.source.setReadOnly(true);
    table.recorder.notices.clear();
    table.source.putTexts(0, 0, 1, 1, "a\0"s);
    EXPECT_EQ(table.text(0, 0), "");
    EXPECT_TRUE(table.recorder.notices.empty());
    grid::DataSrc unbound;
    unbound.putTexts(0, 0, 1, 1, "a");
    EXPECT_EQ(unbound.cellTexts({0, 0, 1, 1}), "");
}

TEST(DataSourceTextsTest, CellTextsEndEachTextWithANulAndGiveDataCellsNoText) {
    TableFixture table(3, 3);
    table.source.putTexts(0, 0, 3, 3, "a\0b\0c\0d\0\0f\0g\0h\0i\0"s);
    table.source.setKind({0, 1, 1, 1}, grid::CellKind::Picture);
    table.source.setCellData(0, 1, kPicture);
    EXPECT_EQ(table.source.cellTexts({0, 0, 2, 3}), "a\0\0c\0d\0\0f\0"s);
    EXPECT_EQ(table.source.cellTexts({1, 1, 5, 5}), "\0f\0h\0i\0"s) << "clipped to the table";
    EXPECT_EQ(table.source.cellTexts({2, 2, 0, 1}), "");
    EXPECT_EQ(table.source.cellTexts({3, 0, 1, 1}), "") << "no first cell, no texts";
    EXPECT_EQ(table.source.cellTexts({-1, 0, 2, 2}), "");
}

// Reads through getCell, as a provider without its own appendText does.
class DefaultTextProvider : public grid::NProvider {
public:
    using NProvider::NProvider;
    void appendText(std::string& out, int32_t row, int32_t column) const override {
        DataProvider::appendText(out, row, column);
    }
};

TEST(DataSourceTextsTest, TheDefaultProviderReadingGivesTheSameTexts) {
    grid::FixedTextMeasurer measurer({20, 40});
    DefaultTextProvider provider(measurer);
    grid::DataSrc source;
    source.bindProvider(&provider);
    provider.setSize(2, 3);
    source.putTexts(0, 0, 2, 3, "a\0\0c\0d\0e\0f\0"s);
    source.setKind({1, 1, 1, 1}, grid::CellKind::Binary);
    source.setCellData(1, 1, kPicture);
    EXPECT_EQ(source.cellTexts({0, 0, 2, 3}), "a\0\0c\0d\0\0f\0"s);
}

}  // namespace
