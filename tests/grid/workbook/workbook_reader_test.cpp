#include "grid/workbook/workbook_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "grid/model/cell_flags.h"
#include "grid/model/date_text.h"
#include "grid/workbook/package_repair.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/value/ole_date.h"

namespace {

using namespace grid::workbook;
using grid::CellFlags::kJoinedAbove;
using grid::CellFlags::kJoinedBelow;
using grid::CellFlags::kJoinedLeft;
using grid::CellFlags::kJoinedRight;

std::string workbook(const std::string& name) { return std::string(WORKBOOKS_DIRECTORY) + "/" + name; }

grid::Table readSheet(const std::string& name, size_t sheet = 0) {
    WorkbookReader reader;
    grid::Table table({58, 312});
    EXPECT_EQ(reader.read(workbook(name), *workbookKindOf(name)), WorkbookError::None) << name;
    EXPECT_EQ(reader.buildSheet(sheet, table), WorkbookError::None) << name;
    return table;
}

// The office suite's own display of the form, one line a row, fields split at commas
// outside double quotes (the file has no quote inside a field).
std::vector<std::vector<std::string>> shownTexts() {
    std::ifstream file(workbook("form-shown.csv"));
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(file, line);) {
        std::vector<std::string> fields(1);
        bool quoted = false;
        for (char c : line) {
            if (c == '"') {
                quoted = !quoted;
            } else if (c == ',' && !quoted) {
                fields.emplace_back();
            } else {
                fields.back() += c;
            }
        }
        rows.push_back(fields);
    }
    return rows;
}

std::string utf8Text(const grid::Table& table, int row, int column) {
    return rt::gbkToUtf8(table.cell(row, column).text());
}

// Every cell shows what the office suite shows, dates as the table's date type, for
// workbooks written by openpyxl and by the office suite itself. openpyxl stores no
// result for a formula, so those cells stay empty; the library does not read the
// suite's cached result of a formula that is a truth value.
TEST(WorkbookReaderTest, CellsShowWhatTheOfficeSuiteShows) {
    const auto expected = shownTexts();
    ASSERT_EQ(expected.size(), 8u);
    struct Case {
        std::string file;
        std::set<std::pair<int, int>> noResult;
    };
    for (const Case& c :
         {Case{"form.xlsx", {{5, 1}, {5, 2}, {5, 3}}}, Case{"form-lo.xlsx", {{5, 4}}}, Case{"form.ods", {}}}) {
        grid::Table table = readSheet(c.file);
        ASSERT_EQ(table.rowCount(), 8) << c.file;
        ASSERT_EQ(table.columnCount(), 5) << c.file;
        for (int row = 0; row < 8; ++row) {
            for (int column = 0; column < 5; ++column) {
                const grid::Cell& cell = table.cell(row, column);
                std::string shown = expected[row][column];
                if (c.noResult.count({row, column})) shown.clear();
                if (grid::inputTypeOf(cell.flags()) == grid::InputType::DateTime) {
                    auto date = grid::parseDateText(rt::utf8ToGbk(shown));
                    ASSERT_TRUE(date) << c.file << " " << row << "," << column << " " << shown;
                    shown = rt::gbkToUtf8(rt::formatDateText(*date));
                }
                EXPECT_EQ(utf8Text(table, row, column), shown) << c.file << " row " << row << " column " << column;
            }
        }
    }
}

TEST(WorkbookReaderTest, TheFormKeepsItsLayout) {
    grid::Table table = readSheet("form.xlsx");
    auto flags = [&](int row, int column) { return table.cell(row, column).flags(); };
    // The title across A1:E1 and the block A7:B8.
    EXPECT_EQ(flags(0, 0) & grid::CellFlags::kMergeMask, kJoinedRight);
    EXPECT_EQ(flags(0, 4) & grid::CellFlags::kMergeMask, kJoinedLeft);
    EXPECT_EQ(flags(7, 1) & grid::CellFlags::kMergeMask, kJoinedLeft | kJoinedAbove);
    EXPECT_EQ(flags(6, 0) & grid::CellFlags::kMergeMask, kJoinedRight | kJoinedBelow);
    EXPECT_EQ(flags(2, 2) & grid::CellFlags::kMergeMask, 0u);
    // Frozen at B3, but the title's range crosses the frozen column's edge.
    EXPECT_EQ(table.fixedRows(), 2);
    EXPECT_EQ(table.fixedColumns(), 0);
    // 30 points and 12 points; 20 and 8 digits of the default font, 7 pixels each.
    EXPECT_EQ(table.rowHeight(0), 106);
    EXPECT_EQ(table.rowHeight(7), 42);
    EXPECT_EQ(table.columnWidth(0), 370);
    EXPECT_EQ(table.columnWidth(2), 148);

    const grid::Cell& title = table.cell(0, 0);
    EXPECT_EQ(title.fontNameView(), "黑体");
    EXPECT_EQ(title.fontSize(), 56) << "16 points in 0.1 mm";
    EXPECT_TRUE(title.flags() & grid::CellFlags::kBold);
    EXPECT_EQ(title.flags() & grid::CellFlags::kAlignmentMask, 5u) << "centred both ways";
    EXPECT_EQ(table.cell(1, 2).backColor(), 0x00FFFFu) << "yellow";
    EXPECT_EQ(flags(1, 2) & grid::CellFlags::kEdgeLines, grid::CellFlags::kEdgeLines);
    EXPECT_TRUE(flags(6, 0) & grid::CellFlags::kSingleDiagonal) << std::hex << flags(6, 0);
    EXPECT_TRUE(flags(6, 2) & grid::CellFlags::kItalic);
    EXPECT_TRUE(flags(6, 2) & grid::CellFlags::kUnderline);
    EXPECT_EQ(flags(6, 2) & grid::CellFlags::kAlignmentMask, 1u) << "left, top";
    EXPECT_TRUE(flags(6, 3) & grid::CellFlags::kStrikeout);
    EXPECT_EQ(table.cell(6, 3).fontNameView(), "Arial");
    EXPECT_EQ(flags(6, 3) & grid::CellFlags::kAlignmentMask, 9u) << "right, bottom";
    EXPECT_EQ(table.cell(6, 4).textColor(), 0x0000FFu) << "red";
    EXPECT_TRUE(flags(7, 4) & grid::CellFlags::kBottomLine) << "a dashed edge is still a line";
    EXPECT_EQ(flags(2, 1) & grid::CellFlags::kAlignmentMask, 9u) << "numbers go right";
}

// Merged ranges in both kinds of workbook, and texts of several lines; in the .ods
// form the cells after a merged range stay in their columns. (Literals here are GBK,
// as the table's texts are.)
TEST(WorkbookReaderTest, MergedRangesAndLinesComeThroughEitherKind) {
    for (const char* name : {"form.xlsx", "form-lo.xlsx", "form.ods"}) {
        grid::Table table = readSheet(name);
        auto links = [&](int row, int column) { return table.cell(row, column).flags() & grid::CellFlags::kMergeMask; };
        EXPECT_EQ(links(0, 0), kJoinedRight) << name;
        EXPECT_EQ(links(0, 4), kJoinedLeft) << name;
        EXPECT_EQ(links(7, 1), kJoinedLeft | kJoinedAbove) << name;
        EXPECT_EQ(links(7, 2), 0u) << name;
        EXPECT_EQ(table.cell(7, 2).text(), "张三") << name;
    }
    for (const char* name : {"from-csv.xlsx", "from-csv.ods"}) {
        grid::Table table = readSheet(name);
        EXPECT_EQ(table.cell(2, 2).text(), "第一行\r\n第二行") << name;
        EXPECT_EQ(table.cell(1, 2).text(), "他说\"你好\"") << name;
    }
}

TEST(WorkbookReaderTest, ThePageComesWithTheSheet) {
    for (const char* name : {"form.xlsx", "form-lo.xlsx", "form.ods"}) {
        const grid::PageSettings page = readSheet(name).pageSettings();
        EXPECT_EQ(page.orientation, 2) << name << ": landscape";
        EXPECT_EQ(page.paperSize, 9) << name << ": A4";
        EXPECT_EQ(page.marginLeft, 254) << name;
        EXPECT_EQ(page.marginRight, 254) << name;
        EXPECT_EQ(page.marginTop, 127) << name;
        EXPECT_EQ(page.marginBottom, 127) << name;
    }
    const grid::PageSettings unset = readSheet("two-sheets.xlsx", 1).pageSettings();
    EXPECT_EQ(unset.orientation, grid::PageSettings().orientation) << "a sheet without a page keeps the table's";
}

TEST(WorkbookReaderTest, SheetsAreNamedAndWhatCannotBeKeptIsListed) {
    WorkbookReader twoSheets;
    ASSERT_EQ(twoSheets.read(workbook("two-sheets.xlsx"), WorkbookKind::Xlsx), WorkbookError::None);
    EXPECT_EQ(twoSheets.sheetNames(), (std::vector<std::string>{"一月", "二月"}));
    EXPECT_TRUE(twoSheets.lost().empty());
    grid::Table second({58, 312});
    ASSERT_EQ(twoSheets.buildSheet(1, second), WorkbookError::None);
    EXPECT_NE(second.cell(0, 0).text(), "");
    EXPECT_EQ(twoSheets.buildSheet(2, second), WorkbookError::NoSheet);

    WorkbookReader lost;
    ASSERT_EQ(lost.read(workbook("lost.xlsx"), WorkbookKind::Xlsx), WorkbookError::None);
    EXPECT_EQ(lost.lost(), (LostContent{LostKind::Pictures, LostKind::Charts, LostKind::ConditionalFormats,
                                        LostKind::Comments}));
    grid::Table table({58, 312});
    ASSERT_EQ(lost.buildSheet(0, table), WorkbookError::None);
    EXPECT_EQ(utf8Text(table, 2, 1), "80") << "the cells themselves still come through";
}

TEST(WorkbookReaderTest, FilesThatAreNotWorkbooksSaySoAndLeaveNothing) {
    const std::pair<const char*, WorkbookError> cases[] = {
        {"not-a-workbook.xlsx", WorkbookError::NotAWorkbook},
        {"damaged.xlsx", WorkbookError::Damaged},
        // A 5 KB package whose directory claims a 4 GB part: the library would
        // allocate it.
        {"entry-claims-4gb.xlsx", WorkbookError::Damaged},
        // Bytes before the package: the library's XML detector aborted on them.
        {"xml-before-the-package.xlsx", WorkbookError::NotAWorkbook},
        {"encrypted.xlsx", WorkbookError::Encrypted},
        {"no-such-file.xlsx", WorkbookError::Unreadable},
        {"form.xlsx", WorkbookError::None},
    };
    for (auto [name, error] : cases) {
        WorkbookReader reader;
        EXPECT_EQ(reader.read(workbook(name), WorkbookKind::Xlsx), error) << name;
        EXPECT_EQ(reader.sheetNames().empty(), error != WorkbookError::None) << name;
    }
    WorkbookReader wrongKind;
    EXPECT_EQ(wrongKind.read(workbook("form.xlsx"), WorkbookKind::Ods), WorkbookError::NotAWorkbook);
    // Damage inside a package the library does take: every byte of the sheet's XML
    // after its first cells replaced.
    std::ifstream file(workbook("form-lo.xlsx"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    WorkbookReader truncated;
    EXPECT_NE(truncated.readBytes(bytes.substr(0, bytes.size() - 200), WorkbookKind::Xlsx), WorkbookError::None);
}

// Texts written into the cells themselves are moved into the shared texts, whether the
// workbook had shared texts before or not, and each stays in its own cell.
TEST(WorkbookReaderTest, TextsWrittenIntoCellsStayInTheirCells) {
    const std::string sheet =
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData><row r=\"1\">"
        "<c r=\"A1\" t=\"inlineStr\"/><c r=\"B1\" t=\"inlineStr\"></c>"
        "<c r=\"C1\" t=\"inlineStr\"><is><t>second</t></is></c>"
        "<c r=\"D1\" t=\"inlineStr\"><is><r><t>ri</t></r><r><t>ch</t></r></is></c></row></sheetData></worksheet>";
    for (const char* base : {"form-lo.xlsx", "two-sheets.xlsx"}) {
        std::ifstream file(workbook(base), std::ios::binary);
        const std::string package((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::optional<std::string> changed = packageWithPart(package, "xl/worksheets/sheet1.xml", sheet);
        ASSERT_TRUE(changed);
        WorkbookReader reader;
        ASSERT_EQ(reader.readBytes(*changed, WorkbookKind::Xlsx), WorkbookError::None) << base;
        grid::Table table({58, 312});
        ASSERT_EQ(reader.buildSheet(0, table), WorkbookError::None) << base;
        ASSERT_EQ(table.columnCount(), 4) << base;
        EXPECT_EQ(table.cell(0, 0).text(), "") << base;
        EXPECT_EQ(table.cell(0, 1).text(), "") << base;
        EXPECT_EQ(table.cell(0, 2).text(), "second") << base;
        EXPECT_EQ(table.cell(0, 3).text(), "rich") << base;
    }
}

// A sheet whose cells span more than a table may hold is refused whole rather than
// cut; a cell past the last row a workbook may have is damage to the library.
TEST(WorkbookReaderTest, ASheetBeyondTheLimitsIsRefused) {
    std::ifstream file(workbook("form-lo.xlsx"), std::ios::binary);
    const std::string package((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto sheetWith = [](const std::string& cells) {
        return "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" + cells +
               "</sheetData></worksheet>";
    };
    const std::pair<std::string, WorkbookError> cases[] = {
        {"<row r=\"1\"><c r=\"A1\"><v>1</v></c></row><row r=\"1048576\"><c r=\"XFD1048576\"><v>1</v></c></row>",
         WorkbookError::TooLarge},
        {"<row r=\"1048577\"><c r=\"A1048577\" t=\"n\"><v>1</v></c></row>", WorkbookError::Damaged},
        {"<row r=\"3\"><c r=\"B3\" t=\"n\"><v>7</v></c></row>", WorkbookError::None},
    };
    for (const auto& [cells, error] : cases) {
        std::optional<std::string> changed = packageWithPart(package, "xl/worksheets/sheet1.xml", sheetWith(cells));
        ASSERT_TRUE(changed);
        WorkbookReader reader;
        WorkbookError result = reader.readBytes(*changed, WorkbookKind::Xlsx);
        grid::Table table({58, 312});
        if (result == WorkbookError::None) result = reader.buildSheet(0, table);
        EXPECT_EQ(result, error) << cells;
        if (error == WorkbookError::None) {
            EXPECT_EQ(table.rowCount(), 3);
            EXPECT_EQ(table.columnCount(), 2);
            EXPECT_EQ(table.cell(2, 1).text(), "7");
        }
    }
}

}  // namespace
