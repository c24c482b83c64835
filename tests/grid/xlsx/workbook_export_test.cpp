// Tables exported as workbooks and read back by an independent reader.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "grid/model/cell_flags.h"
#include "grid/xlsx/workbook_export.h"
#include "tests/grid/support/table_fixture.h"
#include "tests/grid/xlsx/workbook_reader.h"
#include "tests/support/temp_dir.h"

namespace {

using grid::CellFlags::kBold;
using grid::CellFlags::kItalic;
using grid::CellFlags::kStrikeout;
using grid::CellFlags::kUnderline;

WorkbookView exported(const TableFixture& table) {
    TempDir directory;
    std::string path = directory.file("table.xlsx");
    std::string error;
    EXPECT_TRUE(grid::xlsx::exportWorkbook(table.provider, path, error)) << error;
    return readWorkbook(path);
}

std::string hexOf(const std::vector<uint8_t>& bytes) {
    std::string hex;
    for (uint8_t byte : bytes) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", byte);
        hex += pair;
    }
    return hex;
}

std::string twoPlaces(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

TEST(WorkbookExportTest, TextsNumbersAndDatesKeepTheirKinds) {
    TableFixture table(3, 6);
    table.source.setCellText(0, 0, "部门");
    table.source.setCellText(0, 1, "12500");
    table.source.setCellText(0, 2, "0571");
    table.source.setCellText(0, 3, "第一行\r\n第二行");
    std::string longText;
    for (int i = 0; i < 20'000; ++i)
        longText += "长";
    table.source.setCellText(0, 5, longText + longText);
    table.source.setKind({0, 4, 1, 1}, grid::CellKind::VerbatimText);
    table.source.setCellText(0, 4, "42");
    table.source.setCellText(1, 0, "2026年3月5日");
    table.source.setCellText(1, 1, "2026年3月5日18时30分");
    table.source.setCellText(1, 2, "1899年12月31日");
    table.source.setCellText(1, 3, "下周");
    table.source.setCellText(1, 4, "-1.5");
    // Typing into a date-time cell would refuse the last two; a file may hold them.
    table.source.setInputType({1, 0, 1, 5}, grid::InputType::DateTime);

    WorkbookView book = exported(table);
    EXPECT_EQ(book["sheets"], "1");
    EXPECT_EQ(book["A1.type"], "s");
    EXPECT_EQ(book["A1.value"], utf8(u8"部门"));
    EXPECT_EQ(book["B1.type"], "n");
    EXPECT_EQ(book["B1.value"], "12500");
    EXPECT_EQ(book["C1.type"], "s");
    EXPECT_EQ(book["C1.value"], "0571");
    EXPECT_EQ(book["D1.value"], utf8(u8"第一行\\n第二行"));
    EXPECT_EQ(book["E1.type"], "s")
        << "a verbatim cell keeps its text even when it reads as a number";
    EXPECT_EQ(book["E1.value"], "42");
    std::string kept;
    for (int i = 0; i < 32'767; ++i)
        kept += utf8(u8"长");
    EXPECT_EQ(book["F1.value"], kept) << "a workbook cell holds no more";
    EXPECT_EQ(book["A3.value"], "") << "an empty cell holds no value";
    EXPECT_EQ(book["A2.type"], "date");
    EXPECT_EQ(book["A2.value"], "2026-03-05T00:00:00");
    EXPECT_EQ(book["B2.type"], "date");
    EXPECT_EQ(book["B2.value"], "2026-03-05T18:30:00");
    EXPECT_NE(book["A2.format"], book["B2.format"]) << "a date with a time shows the time";
    EXPECT_EQ(book["C2.type"], "s");
    EXPECT_EQ(book["C2.value"], utf8(u8"1899年12月31日"));
    EXPECT_EQ(book["D2.type"], "s") << "a text that is no date stays as it was typed";
    EXPECT_EQ(book["D2.value"], utf8(u8"下周"));
    EXPECT_EQ(book["E2.type"], "n") << "a number in a date-time cell is still a number";
}

TEST(WorkbookExportTest, FontsColoursAndStylesCarryOver) {
    TableFixture table(1, 5);
    for (int column = 0; column < 5; ++column)
        table.source.setCellText(0, column, "字");
    table.provider.setFontName(0, 1, "黑体");
    table.provider.setFontSize(0, 1, 60);
    table.provider.setFlags(0, 1, table.flags(0, 1) | kBold | kItalic);
    table.provider.setFlags(0, 2, table.flags(0, 2) | kUnderline | kStrikeout);
    table.provider.setTextColor(0, 3, 0x0000FF);  // red as 0x00BBGGRR
    table.provider.setBackColor(0, 3, 0xCCFFCC);
    table.provider.setBackColor(0, 4, 0x000000);

    WorkbookView book = exported(table);
    EXPECT_EQ(book["A1.font"], utf8(u8"宋体 11.5"))
        << "the default face and 4 mm as the nearest half point";
    EXPECT_EQ(book["B1.font"], utf8(u8"黑体 17.0 bold italic"));
    EXPECT_EQ(book["C1.font"], utf8(u8"宋体 11.5 underline strike"));
    EXPECT_EQ(book["A1.color"], "000000");
    EXPECT_EQ(book["A1.fill"], "-") << "no background colour is no fill";
    EXPECT_EQ(book["D1.color"], "FF0000");
    EXPECT_EQ(book["D1.fill"], "CCFFCC");
    EXPECT_EQ(book["E1.fill"], "000000") << "black is a colour, not the absence of one";
}

TEST(WorkbookExportTest, TheNineAlignmentsAndWrapping) {
    TableFixture table(1, 10);
    for (int code = 1; code <= 9; ++code) {
        table.source.setCellText(0, code - 1, "字");
        table.source.setAlignment({0, code - 1, 1, 1}, code);
    }
    table.source.setCellText(0, 9, "字");
    table.source.setAlignment({0, 9, 1, 1}, 12);

    WorkbookView book = exported(table);
    const char* expected[] = {"left top",      "center top",   "right top",   "left center",
                              "center center", "right center", "left bottom", "center bottom",
                              "right bottom",  "left top"};
    for (int column = 0; column < 10; ++column) {
        std::string cell = std::string(1, static_cast<char>('A' + column)) + "1";
        EXPECT_EQ(book[cell + ".align"], std::string(expected[column]) + " wrap") << cell;
    }
}

TEST(WorkbookExportTest, EdgeLinesAndDiagonals) {
    TableFixture table(2, 4);
    table.provider.setFlags(0, 0, table.flags(0, 0) | grid::CellFlags::kEdgeLines);
    table.provider.setFlags(0, 1, table.flags(0, 1) | grid::CellFlags::kTopLine);
    table.provider.setFlags(
        0, 2, table.flags(0, 2) | grid::CellFlags::kLeftLine | grid::CellFlags::kBottomLine);
    table.provider.setFlags(1, 0, table.flags(1, 0) | grid::CellFlags::kSingleDiagonal);
    table.provider.setFlags(1, 1, table.flags(1, 1) | grid::CellFlags::kCrossLines);
    table.provider.setFlags(1, 2, table.flags(1, 2) | grid::CellFlags::kDoubleDiagonal);

    WorkbookView book = exported(table);
    EXPECT_EQ(book["A1.lines"], "LTRB");
    EXPECT_EQ(book["B1.lines"], "T");
    EXPECT_EQ(book["C1.lines"], "LB");
    EXPECT_EQ(book["D1.lines"], "-");
    EXPECT_EQ(book["A2.lines"], "- down");
    EXPECT_EQ(book["B2.lines"], "- both");
    EXPECT_EQ(book["C2.lines"], "- down") << "the nearest a workbook has to the fanned double line";
}

TEST(WorkbookExportTest, MergedBlocksSizesAndFrozenPanes) {
    TableFixture table(5, 4);
    table.source.setCellText(0, 0, "标题");
    table.source.mergeCells({0, 0, 1, 4});
    table.source.setCellText(2, 1, "123");
    table.source.mergeCells({2, 1, 3, 2});
    table.source.setColumnWidth(0, 1, 250);
    table.source.setColumnWidth(1, 3, 400);
    table.source.setRowHeight(0, 1, 100);
    table.source.setRowHeight(1, 4, 60);
    table.provider.setFixedRows(2);
    table.provider.setFixedColumns(1);

    WorkbookView book = exported(table);
    EXPECT_EQ(book["merged"], "A1:D1; B3:C5");
    EXPECT_EQ(book["A1.value"], utf8(u8"标题"));
    EXPECT_EQ(book["B3.type"], "n") << "a merged block keeps the value of its first cell";
    EXPECT_EQ(book["B3.value"], "123");
    EXPECT_EQ(book["freeze"], "B3");
    // Widths go by pixels at 96 dots per inch, which workbooks store in widths of a
    // 7-pixel digit.
    auto width = [](int units) { return twoPlaces(std::lround(units * 96.0 / 254.0) / 7.0); };
    EXPECT_EQ(book["width.A"], width(250));
    EXPECT_EQ(book["width.B"], width(400));
    EXPECT_EQ(book["width.D"], width(400));
    EXPECT_EQ(book["height.1"], twoPlaces(100 * 72.0 / 254.0));
    EXPECT_EQ(book["height.5"], twoPlaces(60 * 72.0 / 254.0));
}

TEST(WorkbookExportTest, PicturesOfTheKnownFormatsAreAnchoredAtTheirCells) {
    const std::vector<uint8_t> png = {
        0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
        0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00,
        0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00, 0x00, 0x00, 0x0A, 0x49, 0x44, 0x41, 0x54, 0x78,
        0x9C, 0x63, 0x00, 0x01, 0x00, 0x00, 0x05, 0x00, 0x01, 0x0D, 0x0A, 0x2D, 0xB4, 0x00,
        0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
    const std::vector<uint8_t> gif = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF, 0xFF,
        0xFF, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00,
        0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    // A PCX header: the grid shows these, workbooks cannot hold them.
    const std::vector<uint8_t> pcx = {0x0A, 0x05, 0x01, 0x08, 0x00, 0x00,
                                      0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    TableFixture table(3, 3);
    table.source.setKind({0, 0, 3, 3}, grid::CellKind::Picture);
    table.source.setCellData(1, 1, png);
    table.source.setCellData(2, 2, gif);
    table.source.setCellData(0, 2, pcx);
    table.provider.setBackColor(0, 2, 0x00FFFF);

    WorkbookView book = exported(table);
    EXPECT_EQ(book["picture.B2"], hexOf(png));
    EXPECT_EQ(book["picture.C3"], hexOf(gif));
    EXPECT_EQ(book.count("picture.C1"), 0u);
    EXPECT_EQ(book["C1.fill"], "FFFF00") << "a cell whose picture is left out keeps its format";
}

TEST(WorkbookExportTest, PageSettingsWithACounterpart) {
    TableFixture table(1, 1);
    grid::PageSettings page;
    page.marginLeft = 254;
    page.marginTop = 127;
    page.marginRight = 508;
    page.marginBottom = 0;
    page.orientation = 2;
    page.paperSize = 9;
    page.scale = 50;
    page.firstPageNumber = 3;
    page.pageNumberPosition = 5;
    table.provider.setPageSettings(page);

    WorkbookView book = exported(table);
    EXPECT_EQ(book["margins"], "1.000 0.500 2.000 0.000");
    EXPECT_EQ(book["orientation"], "landscape");
    EXPECT_EQ(book["paper"], "9");
    EXPECT_EQ(book["scale"], "50");
    EXPECT_EQ(book["firstPageNumber"], "3");
    EXPECT_EQ(book["footer.center"], utf8(u8"第 &P 页"));
    EXPECT_EQ(book["fitToPage"], "None 1 1");
    EXPECT_EQ(book.count("header.center"), 0u);

    page.pageNumberPosition = 3;
    page.scale = 2000;
    table.provider.setPageSettings(page);
    book = exported(table);
    EXPECT_EQ(book["scale"], "400") << "beyond what workbooks print at";
    EXPECT_EQ(book["header.right"], utf8(u8"第 &P 页"));

    page.scale = -1;
    table.provider.setPageSettings(page);
    book = exported(table);
    EXPECT_EQ(book["fitToPage"], "True 1 0")
        << "the fit-to-width modes fit one page wide, any number high";
}

TEST(WorkbookExportTest, AFailedExportSaysWhyAndLeavesWhatWasThere) {
    TempDir directory;
    TableFixture table(1, 1);
    table.source.setCellText(0, 0, "1");
    std::string error;
    EXPECT_FALSE(
        grid::xlsx::exportWorkbook(table.provider, directory.file("missing/table.xlsx"), error));
    EXPECT_FALSE(error.empty());

    // A folder of that name cannot be replaced by the workbook.
    std::filesystem::create_directory(directory.file("taken.xlsx"));
    writeWholeFile(directory.file("taken.xlsx/inside"), "kept");
    error.clear();
    EXPECT_FALSE(grid::xlsx::exportWorkbook(table.provider, directory.file("taken.xlsx"), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(readWholeFile(directory.file("taken.xlsx/inside")), "kept");

    std::string previous = directory.file("previous.xlsx");
    writeWholeFile(previous, "the previous workbook");
    EXPECT_TRUE(grid::xlsx::exportWorkbook(table.provider, previous, error)) << error;
    EXPECT_EQ(readWorkbook(previous)["A1.value"], "1");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.path()), {}), 2)
        << "no temporary file is left behind";
}

}  // namespace
