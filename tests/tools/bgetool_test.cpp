#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include "grid/format/byte_sink.h"
#include "grid/format/table_file.h"
#include "grid/model/cell_flags.h"
#include "grid/provider/n_provider.h"
#include "program_version.h"
#include "tests/grid/view/bitmap_bytes.h"
#include "tests/grid/xlsx/workbook_reader.h"
#include "tests/support/temp_dir.h"

namespace {

struct ToolRun {
    int exitStatus = -1;
    std::string output;
    std::string errors;
};

std::string quoted(const std::string& argument) {
    std::string result = "'";
    for (char c : argument) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

// Runs bgetool with these arguments (UTF-8, as a shell passes them) and collects what
// it printed; `launcher` (a command and its arguments) may run it.
ToolRun runBgetool(const std::vector<std::string>& arguments, const std::string& launcher = "") {
    TempDir directory;
    std::string command = launcher + BGETOOL_PATH;
    for (const std::string& argument : arguments) command += " " + quoted(argument);
    command += " >" + directory.file("out") + " 2>" + directory.file("err");
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readWholeFile(directory.file("out")),
            readWholeFile(directory.file("err"))};
}

std::string dataFile(const std::string& name) { return std::string(TEST_DATA_DIRECTORY) + "/" + name; }

TEST(BgetoolTest, DumpsOfTheGoldenTablesMatchTheirExpectedOutput) {
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TEST_DATA_DIRECTORY)) {
        if (entry.path().extension() != ".bge") continue;
        std::filesystem::path expected = entry.path();
        expected.replace_extension(".dump.jsonl");
        ToolRun run = runBgetool({"dump", entry.path().string()});
        EXPECT_EQ(run.exitStatus, 0) << entry.path();
        EXPECT_EQ(run.output, readWholeFile(expected.string())) << entry.path();
        ++checked;
    }
    EXPECT_GE(checked, 2);
}

TEST(BgetoolTest, ExecRebuildsTheGoldenTableByteForByte) {
    TempDir directory;
    std::string copy = directory.file("copy.bge");
    ToolRun run = runBgetool({"exec", dataFile("varied.bge"), copy, "getCellText 2 1", "getRowCount",
                          "getCellBlock 1 1 _ 2", "getFontName 9 9", "insertRows 9", "getColumnWidth 3"});
    ASSERT_EQ(run.exitStatus, 0) << run.errors;
    // Texts come out as UTF-8 whatever the program keeps inside.
    EXPECT_EQ(run.output, utf8(u8"\"合并的格子\"\n4\n74\n\"宋体\"\nfalse\n500\n"));
    EXPECT_EQ(readWholeFile(copy), readWholeFile(dataFile("varied.bge")));
}

TEST(BgetoolTest, ExecArgumentsOfEveryForm) {
    TempDir directory;
    writeWholeFile(directory.file("data.bin"), std::string("\x00\x01\x02", 3));
    std::string out = directory.file("t.bge");
    ToolRun run = runBgetool({"exec", "new:2,2", out, "setCellKind 1 1 _ _ 4", "setCellData 1 1 @" + directory.file("data.bin"),
                          "setBackColor 2 2 _ _ 0xFF000000", "getBackColor 2 2", "setCellText 2 1 \"it's\"",
                          "getCellText 2 1", "setTextColor 1 2 _ _ -1", "getTextColor 1 2",
                          utf8(u8"setFontName 2 2 _ _ '黑体'"), "getFontName 2 2"});
    ASSERT_EQ(run.exitStatus, 0) << run.errors;
    EXPECT_EQ(run.output, utf8(u8"-16777216\n\"it's\"\n-1\n\"黑体\"\n"));
    ToolRun dump = runBgetool({"dump", out});
    EXPECT_NE(dump.output.find("\"kind\":4,\"dataLength\":3,\"dataHex\":\"000102\""), std::string::npos)
        << dump.output;
}

// A script sorts rows below a title and replaces a word, as the README shows.
TEST(BgetoolTest, ExecSortsRowsAndReplacesTextPrintingWhatItDid) {
    TempDir directory;
    std::string table = directory.file("t.bge");
    ToolRun run = runBgetool({"exec", "new:4,2", table, utf8(u8"setCellText 1 1 '名称'"), "setCellText 2 1 '10'",
                              "setCellText 3 1 '9'", utf8(u8"setCellText 4 1 '旧款'"), "sortRows 2 4 1 1",
                              utf8(u8"replaceText '旧' '新' 0"), utf8(u8"findText '新款' 2"), "findText '(' 4",
                              "getCellText 2 1", "getCellText 4 1"});
    ASSERT_EQ(run.exitStatus, 0) << run.errors;
    EXPECT_EQ(run.output, utf8(u8"true\n1\n1\n-1\n\"新款\"\n\"9\"\n"));
}

TEST(BgetoolTest, BadCommandsStopBeforeAnythingRunsOrIsSaved) {
    TempDir directory;
    struct Case {
        std::vector<std::string> arguments;
        int exitStatus;
    };
    std::string out = directory.file("never.bge");
    const Case cases[] = {
        {{"exec", "new:2,2", out, "setCellText 1 1 'a'", "noSuchCommand"}, 2},
        {{"exec", "new:2,2", out, "setCellText 1 one 'a'"}, 2},
        {{"exec", "new:2,2", out, "setCellText 1 1 'unterminated"}, 2},
        {{"exec", "new:2,2", out, "setCellData 1 1 @" + directory.file("missing")}, 2},
        {{"exec", "new:2,x", out}, 2},
        {{"exec", directory.file("missing.bge"), out}, 1},
        {{"exec", "new:2000000,2", out}, 1},
        {{"exec", "new:2,2"}, 2},
        {{"info"}, 2},
        {{"frobnicate"}, 2},
    };
    for (const Case& c : cases) {
        ToolRun run = runBgetool(c.arguments);
        EXPECT_EQ(run.exitStatus, c.exitStatus) << c.arguments.back();
        EXPECT_FALSE(run.errors.empty()) << c.arguments.back();
        EXPECT_FALSE(std::filesystem::exists(out)) << c.arguments.back();
    }
}

TEST(BgetoolTest, InfoOnAFileThatDoesNotLoadGivesOneLineOnStandardError) {
    TempDir directory;
    std::string whole = readWholeFile(dataFile("varied.bge"));
    writeWholeFile(directory.file("cut.bge"), whole.substr(0, whole.size() / 2));
    for (const std::string& file : {directory.file("cut.bge"), dataFile("varied.dump.jsonl")}) {
        ToolRun run = runBgetool({"info", file});
        EXPECT_EQ(run.exitStatus, 1) << file;
        EXPECT_TRUE(run.output.empty());
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
    }
}

TEST(BgetoolTest, EveryCommandHasHelp) {
    for (const char* command : {"info", "dump", "exec", "xlsx", "pdf", "convert"}) {
        ToolRun run = runBgetool({command, "--help"});
        EXPECT_EQ(run.exitStatus, 0) << command;
        EXPECT_NE(run.output.find(std::string("usage: bgetool ") + command), std::string::npos) << command;
    }
}

}  // namespace

namespace {

TEST(BgetoolTest, ImportThenExportGivesBackTheTextWithTheChosenSeparators) {
    TempDir directory;
    std::string text = directory.file(utf8(u8"数据.txt"));
    // UTF-8 with a Chinese name and an empty field, guessed from its bytes.
    writeWholeFile(text, utf8(u8"编号|名称\n1|表格\n2|\n"));
    std::string table = directory.file("t.bge");
    ToolRun imported = runBgetool({"import", "new:1,1", text, table, "--columns", "|", "--rows", "\\n"});
    ASSERT_EQ(imported.exitStatus, 0) << imported.errors;
    EXPECT_EQ(imported.output, "3 lines, at most 2 fields; the table has 3 x 2 cells\n");

    std::string back = directory.file("back.txt");
    ToolRun exported = runBgetool({"export", table, back, "--columns", ",", "--encoding", "utf-8"});
    ASSERT_EQ(exported.exitStatus, 0) << exported.errors;
    EXPECT_EQ(readWholeFile(back), utf8(u8"编号,名称\r\n1,表格\r\n2,"));
    ToolRun gbk = runBgetool({"export", table, back});
    ASSERT_EQ(gbk.exitStatus, 0);
    EXPECT_EQ(readWholeFile(back), "\xB1\xE0\xBA\xC5;\xC3\xFB\xB3\xC6\r\n1;\xB1\xED\xB8\xF1\r\n2;");
}

TEST(BgetoolTest, VersionIsTheProgramsOwn) {
    ToolRun run = runBgetool({"--version"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output, "bgetool " + std::string(kProgramVersion) + "\n");
}

TEST(BgetoolTest, ImportReportsWhatGbkCannotHoldAndBadArgumentsStopEarly) {
    TempDir directory;
    std::string text = directory.file("emoji.txt");
    writeWholeFile(text, utf8(u8"a;\U0001F600\nb"));
    ToolRun run = runBgetool({"import", "new:1,1", text, directory.file("t.bge"), "--encoding", "utf-8"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_NE(run.errors.find("1 character(s) that GBK cannot hold"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("first on line 1"), std::string::npos) << run.errors;

    EXPECT_EQ(runBgetool({"import", "new:1,1", text}).exitStatus, 2);
    EXPECT_EQ(runBgetool({"import", "new:1,1", text, directory.file("t.bge"), "--encoding", "latin1"}).exitStatus, 2);
    EXPECT_EQ(runBgetool({"import", "new:1,1", directory.file("missing.txt"), directory.file("t.bge")}).exitStatus, 1);
    EXPECT_EQ(runBgetool({"export", directory.file("t.bge"), directory.file("no/such/dir.txt")}).exitStatus, 1);
    EXPECT_EQ(runBgetool({"export", directory.file("t.bge"), directory.file("x.txt"), "--bogus"}).exitStatus, 2);
}

TEST(BgetoolTest, XlsxWritesTheTableAsAWorkbook) {
    TempDir directory;
    std::string workbook = directory.file("varied.xlsx");
    ToolRun run = runBgetool({"xlsx", dataFile("varied.bge"), workbook});
    ASSERT_EQ(run.exitStatus, 0) << run.errors;
    EXPECT_EQ(run.output, "");
    WorkbookView book = readWorkbook(workbook);
    EXPECT_EQ(book["A1.value"], utf8(u8"部门"));
    EXPECT_EQ(book["A1.font"], utf8(u8"黑体 11.5 bold"));
    EXPECT_EQ(book["merged"], "A2:B3");
    EXPECT_EQ(book["C3.value"], "2012-02-03T04:05:00");
    EXPECT_EQ(book["C4.color"], "FF0000");
    EXPECT_EQ(book["C4.fill"], "CCFFCC");
    EXPECT_EQ(book["B4.value"], "c:\\\\pic.bmp");

    run = runBgetool({"xlsx", dataFile("varied.bge")});
    EXPECT_EQ(run.exitStatus, 2);
    run = runBgetool({"xlsx", directory.file("absent.bge"), workbook});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.errors.find("absent.bge"), std::string::npos) << run.errors;
    run = runBgetool({"xlsx", dataFile("varied.bge"), directory.file("absent/out.xlsx")});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.errors.find("absent/out.xlsx"), std::string::npos) << run.errors;
}

// pdftotext's text of a PDF, one entry per page.
std::vector<std::string> pdfPages(const std::string& pdf) {
    TempDir directory;
    std::string command = "pdftotext " + quoted(pdf) + " " + directory.file("text");
    if (std::system(command.c_str()) != 0) return {};
    std::string text = readWholeFile(directory.file("text"));
    std::vector<std::string> pages;
    for (size_t start = 0, end; (end = text.find('\f', start)) != std::string::npos; start = end + 1) {
        pages.push_back(text.substr(start, end - start));
    }
    return pages;
}

TEST(BgetoolTest, PdfPrintsTheTableWithItsStoredPageSettings) {
    TempDir directory;
    // 80 rows, 30 to a page, the page number at the bottom centre.
    grid::FixedTextMeasurer measurer(grid::kHeadlessLetterExtent);
    grid::NProvider provider(measurer);
    provider.setSize(80, 3);
    provider.setText(0, 0, "first");
    provider.setText(79, 0, "last");
    grid::PageSettings settings;
    settings.rowsPerPage = 30;
    settings.pageNumberPosition = 5;
    provider.setPageSettings(settings);
    grid::MemorySink file;
    grid::writeTableFile(file, provider);
    std::string table = directory.file("long.bge");
    writeWholeFile(table, std::string(file.bytes().begin(), file.bytes().end()));

    std::string pdf = directory.file("long.pdf");
    ToolRun run = runBgetool({"pdf", table, pdf});
    ASSERT_EQ(run.exitStatus, 0) << run.errors;
    std::vector<std::string> pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_NE(pages[0].find("first"), std::string::npos);
    EXPECT_NE(pages[2].find("last"), std::string::npos);
    EXPECT_NE(pages[2].find(utf8(u8"第 3 页")), std::string::npos) << pages[2];

    EXPECT_EQ(runBgetool({"pdf", table}).exitStatus, 2);
    ToolRun missing = runBgetool({"pdf", directory.file("absent.bge"), pdf});
    EXPECT_EQ(missing.exitStatus, 1);
    EXPECT_NE(missing.errors.find("absent.bge"), std::string::npos) << missing.errors;
    ToolRun unwritable = runBgetool({"pdf", table, directory.file("absent/out.pdf")});
    EXPECT_EQ(unwritable.exitStatus, 1);
    EXPECT_NE(unwritable.errors.find("absent/out.pdf"), std::string::npos) << unwritable.errors;
    EXPECT_EQ(pdfPages(pdf).size(), 3u) << "the failed prints left the first PDF alone";
}

// Without --rows, a line ends at a line break as Linux (LF), Windows (CR LF) and old
// Mac programs (CR) write it.
TEST(BgetoolTest, ImportEndsLinesAtAnyLineBreakByDefault) {
    TempDir directory;
    std::string text = directory.file("mixed.txt");
    writeWholeFile(text, "a;b\nc;d\r\ne\rf\n");
    std::string table = directory.file("t.bge");
    ToolRun imported = runBgetool({"import", "new:1,1", text, table});
    ASSERT_EQ(imported.exitStatus, 0) << imported.errors;
    EXPECT_EQ(imported.output, "4 lines, at most 2 fields; the table has 4 x 2 cells\n");
    std::string back = directory.file("back.txt");
    ASSERT_EQ(runBgetool({"export", table, back}).exitStatus, 0);
    EXPECT_EQ(readWholeFile(back), "a;b\r\nc;d\r\ne;\r\nf;") << "export writes CR LF";
}

// Export reads the texts straight from the file: the table's shape must come out as
// the editor's export writes it (an empty row inside is an empty line, empty rows at
// the end and columns past the last text are left out, a picture cell is an empty
// field, the last cell of a row may be empty), whether or not the table's last column
// holds text, and a file that does not load says so.
TEST(BgetoolTest, ExportWritesTheShapeOfTheTableStraightFromItsFile) {
    TempDir directory;
    const std::string table = directory.file("t.bge");
    writeWholeFile(directory.file("p.bmp"), "BM not really a picture");
    ASSERT_EQ(runBgetool({"exec", "new:6,5", table, "setCellText 1 1 'a;b'", "setCellText 1 2 '\"q\"'",
                          "setCellText 3 3 '\xE6\x9C\xAB'", "setCellKind 4 1 1 1 3", "setCellData 4 1 @" + directory.file("p.bmp"),
                          "setCellText 4 2 'x'"})
                  .exitStatus,
              0);
    const std::string text = directory.file("t.txt");
    ASSERT_EQ(runBgetool({"export", table, text, "--quoted", "--encoding", "utf-8"}).exitStatus, 0);
    EXPECT_EQ(readWholeFile(text), "\"a;b\";\"\"\"q\"\"\";\r\n\r\n;;\xE6\x9C\xAB\r\n;x;");
    // With text in the table's last column every column is written, and the empty rows
    // at the end still are not.
    ASSERT_EQ(runBgetool({"exec", table, table, "setCellText 2 5 'z'"}).exitStatus, 0);
    ASSERT_EQ(runBgetool({"export", table, text, "--quoted", "--encoding", "utf-8"}).exitStatus, 0);
    EXPECT_EQ(readWholeFile(text), "\"a;b\";\"\"\"q\"\"\";;;\r\n;;;;z\r\n;;\xE6\x9C\xAB;;\r\n;x;;;");
    std::string whole = readWholeFile(table);
    writeWholeFile(directory.file("cut.bge"), whole.substr(0, whole.size() - 10));
    ToolRun cut = runBgetool({"export", directory.file("cut.bge"), text});
    EXPECT_EQ(cut.exitStatus, 1);
    EXPECT_NE(cut.errors.find("cut.bge"), std::string::npos) << cut.errors;
}

// Whether the first page of a PDF, rendered at a low resolution, shows any red.
bool firstPageShowsRed(const std::string& pdf) {
    TempDir directory;
    std::string command =
        "pdftoppm -r 20 -f 1 -l 1 -singlefile " + quoted(pdf) + " " + quoted(directory.file("page"));
    if (std::system(command.c_str()) != 0) return false;
    // A binary PPM: "P6", width, height and largest value, one blank, three bytes a pixel.
    std::istringstream image(readWholeFile(directory.file("page.ppm")));
    std::string magic;
    int width = 0, height = 0, largest = 0;
    image >> magic >> width >> height >> largest;
    image.get();
    for (int pixel = 0; pixel < width * height; ++pixel) {
        const int red = image.get(), green = image.get(), blue = image.get();
        if (!image) return false;
        if (red > 200 && green < 80 && blue < 80) return true;
    }
    return false;
}

// Tables of a few hundred bytes whose pictures would take gigabytes to print: huge
// pictures in tiny run-length bitmaps, one large picture in many cells, and a
// one-pixel tile that claims two dots per metre. Each prints within an address space
// that an offscreen print of a small table fits in with room to spare.
TEST(BgetoolPictureTest, HostilePicturesPrintWithinBoundedMemory) {
    struct Case {
        const char* what;
        int32_t rows;
        int32_t columns;
        std::string picture;
        int alignment;
        bool tooLarge;
    };
    const Case cases[] = {
        {"eight 8000 x 8000 run-length bitmaps", 4, 2, redRunLengthBitmap(8000, 8000), 10, true},
        {"one 5700 x 5700 picture in thirty cells", 15, 2, redRunLengthBitmap(5700, 5700), 10, false},
        {"a one-pixel tile at two dots per metre", 1, 1, onePixelBitmap(0xFF0000, 2), 13, false},
    };
    // Sanitizers reserve terabytes of address space for themselves.
#if defined(__SANITIZE_ADDRESS__)
    const std::string launcher = "timeout 120 ";
#else
    const std::string launcher = "timeout 120 prlimit --as=" + std::to_string(700 << 20) + " ";
#endif
    for (const Case& c : cases) {
        TempDir directory;
        grid::FixedTextMeasurer measurer(grid::kHeadlessLetterExtent);
        grid::NProvider provider(measurer);
        provider.setSize(c.rows, c.columns);
        const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(c.picture.data()), c.picture.size());
        for (int32_t row = 0; row < c.rows; ++row) {
            for (int32_t column = 0; column < c.columns; ++column) {
                provider.setFlags(row, column, (provider.cellFlags(row, column) & ~grid::CellFlags::kAlignmentMask) |
                                                   static_cast<uint32_t>(c.alignment));
                provider.setKind(row, column, grid::CellKind::Picture);
                provider.setData(row, column, bytes);
            }
        }
        grid::MemorySink file;
        grid::writeTableFile(file, provider);
        ASSERT_LT(file.bytes().size(), 3000u) << c.what;
        const std::string table = directory.file("bomb.bge");
        writeWholeFile(table, std::string(file.bytes().begin(), file.bytes().end()));
        const std::string pdf = directory.file("bomb.pdf");

        ToolRun run = runBgetool({"pdf", table, pdf}, launcher);
        ASSERT_EQ(run.exitStatus, 0) << c.what << ": " << run.errors;
        std::vector<std::string> pages = pdfPages(pdf);
        ASSERT_EQ(pages.size(), 1u) << c.what;
        EXPECT_EQ(pages[0].find(utf8(u8"图片过大")) != std::string::npos, c.tooLarge) << c.what << ": " << pages[0];
        // A picture within the bound is still printed, not dropped for want of memory.
        EXPECT_EQ(firstPageShowsRed(pdf), !c.tooLarge) << c.what;
    }
}

}  // namespace

namespace {

std::string workbookFile(const std::string& name) { return dataFile("workbooks/" + name); }

// One value of a line of `bgetool dump` as written there: a number, a JSON string with
// its quotes, or an array with its brackets.
std::string dumpField(const std::string& line, const std::string& name) {
    size_t at = line.find("\"" + name + "\":") + name.size() + 3;
    size_t end = at + 1;
    if (line[at] == '"') {
        while (line[end] != '"') end += line[end] == '\\' ? 2 : 1;
        ++end;
    } else {
        end = line[at] == '[' ? line.find(']', at) + 1 : line.find_first_of(",}", at);
    }
    return line.substr(at, end - at);
}

// The first line of a table's dump, then each cell holding text or merged with a
// neighbour as "row,column text merged SIDES".
std::vector<std::string> cellsOf(const std::string& table) {
    std::istringstream dump(runBgetool({"dump", table}).output);
    std::vector<std::string> cells(1);
    std::getline(dump, cells[0]);
    for (std::string line; std::getline(dump, line);) {
        const auto merged = static_cast<uint32_t>(std::stoul(dumpField(line, "flags"))) & grid::CellFlags::kMergeMask;
        const std::string text = dumpField(line, "text");
        if (text == "\"\"" && merged == 0) continue;
        cells.push_back(dumpField(line, "row") + "," + dumpField(line, "column") + " " + text + " merged " +
                        std::to_string(merged));
    }
    return cells;
}

std::vector<int> numbersOf(const std::string& array) {
    std::vector<int> numbers;
    std::istringstream in(array.substr(1));
    for (int number; in >> number; in.ignore()) numbers.push_back(number);
    return numbers;
}

// A table goes out as a table file and as a workbook (any case of extension) and
// comes back with its texts, merged blocks and sizes. A workbook holds column widths
// in whole pixels (2.6 tenths of a millimetre), so a size may come back less than a
// pixel away, never further.
TEST(BgetoolConvertTest, ATableComesBackThroughAWorkbookWithTextsMergesAndSizes) {
    TempDir directory;
    const std::string table = directory.file("form.bge");
    ASSERT_EQ(runBgetool({"exec", "new:4,3", table, utf8(u8"setCellText 1 1 '差旅费报销单'"), "mergeCells 1 1 1 3",
                          utf8(u8"setCellText 2 2 '金额'"), "setCellText 3 1 'a, \"b\"'", "setCellText 3 2 '1553.5'",
                          "mergeCells 3 3 2 1", "setRowHeight 1 1 120", "setColumnWidth 1 1 400",
                          "setColumnWidth 3 1 250"})
                  .exitStatus,
              0);
    const std::vector<std::string> original = cellsOf(table);
    ASSERT_EQ(original.size(), 1u + 8u);
    for (const char* name : {"copy.bge", "book.xlsx", "BOOK.XLSX"}) {
        ToolRun out = runBgetool({"convert", table, directory.file(name)});
        ASSERT_EQ(out.exitStatus, 0) << name << ": " << out.errors;
        ToolRun back = runBgetool({"convert", directory.file(name), directory.file("back.bge")});
        ASSERT_EQ(back.exitStatus, 0) << name << ": " << back.errors;
        EXPECT_EQ(out.errors + back.errors, "") << name;
        const std::vector<std::string> converted = cellsOf(directory.file("back.bge"));
        EXPECT_EQ(std::vector(converted.begin() + 1, converted.end()), std::vector(original.begin() + 1, original.end()))
            << name;
        for (const char* sizes : {"rowHeights", "columnWidths"}) {
            const std::vector<int> expected = numbersOf(dumpField(original[0], sizes));
            const std::vector<int> actual = numbersOf(dumpField(converted[0], sizes));
            ASSERT_EQ(actual.size(), expected.size()) << name << " " << sizes;
            for (size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 2) << name << " " << sizes << i;
        }
    }
}

// A CSV file becomes exactly the table that `import new:1,1` makes of it with commas,
// quotes and a guessed encoding, whatever its encoding and line ends.
TEST(BgetoolConvertTest, CsvIsReadAsTheImportReadsItInEveryEncoding) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {utf8(u8"\uFEFF编号,\"北京, 朝阳区\"\r\n1\r\n"),
         {utf8(u8"1,1 \"编号\" merged 0"), utf8(u8"1,2 \"北京, 朝阳区\" merged 0"), "2,1 \"1\" merged 0"}},
        {utf8(u8"a,\"第一行\r\n第二行\",\"他说\"\"你好\"\"\"\nb\n"),
         {"1,1 \"a\" merged 0", utf8(u8"1,2 \"第一行\\r\\n第二行\" merged 0"), utf8(u8"1,3 \"他说\\\"你好\\\"\" merged 0"),
          "2,1 \"b\" merged 0"}},
        {"\xB1\xE0\xBA\xC5,\xC3\xFB\xB3\xC6\r\n,\xB1\xED\xB8\xF1",
         {utf8(u8"1,1 \"编号\" merged 0"), utf8(u8"1,2 \"名称\" merged 0"), utf8(u8"2,2 \"表格\" merged 0")}},
        {"a,b\nc\r\nd\re\n", {"1,1 \"a\" merged 0", "1,2 \"b\" merged 0", "2,1 \"c\" merged 0", "3,1 \"d\" merged 0",
                              "4,1 \"e\" merged 0"}},
    };
    for (const auto& [bytes, cells] : cases) {
        TempDir directory;
        writeWholeFile(directory.file("data.CSV"), bytes);
        ASSERT_EQ(runBgetool({"convert", directory.file("data.CSV"), directory.file("converted.bge")}).exitStatus, 0);
        const std::vector<std::string> converted = cellsOf(directory.file("converted.bge"));
        EXPECT_EQ(std::vector(converted.begin() + 1, converted.end()), cells) << bytes;
        ASSERT_EQ(runBgetool({"import", "new:1,1", directory.file("data.CSV"), directory.file("imported.bge"),
                              "--columns", ",", "--quoted", "--encoding", "auto"})
                      .exitStatus,
                  0);
        EXPECT_EQ(readWholeFile(directory.file("converted.bge")), readWholeFile(directory.file("imported.bge"))) << bytes;
    }
}

// CSV out is what export writes with commas, quotes and UTF-8 with its mark, and reads
// back to the same table; PDF out is the printed table.
TEST(BgetoolConvertTest, CsvAndPdfOutAreTheExportAndThePrint) {
    TempDir directory;
    const std::string table = directory.file("t.bge");
    ASSERT_EQ(runBgetool({"exec", "new:3,3", table, utf8(u8"setCellText 1 1 '北京, 朝阳区'"), "setCellText 1 2 '\"q\"'",
                          "setCellText 2 3 'two\r\nlines'", "setCellText 3 1 'plain'"})
                  .exitStatus,
              0);
    const std::string csv = directory.file("t.csv");
    ASSERT_EQ(runBgetool({"convert", table, csv}).exitStatus, 0);
    EXPECT_EQ(readWholeFile(csv), utf8(u8"\uFEFF\"北京, 朝阳区\",\"\"\"q\"\"\",\r\n,,\"two\r\nlines\"\r\nplain,,"));
    ASSERT_EQ(runBgetool({"convert", csv, directory.file("back.bge")}).exitStatus, 0);
    EXPECT_EQ(cellsOf(directory.file("back.bge")), cellsOf(table));

    ASSERT_EQ(runBgetool({"convert", csv, directory.file("t.pdf")}).exitStatus, 0);
    EXPECT_TRUE(readWholeFile(directory.file("t.pdf")).starts_with("%PDF"));
    const std::vector<std::string> pages = pdfPages(directory.file("t.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(pages[0].find(utf8(u8"朝阳区")), std::string::npos) << pages[0];
}

// A workbook gives its first sheet unless --sheet names another; what it holds that a
// table cannot is named once on standard error, and the texts come all the same.
TEST(BgetoolConvertTest, WorkbooksGiveTheChosenSheetAndNameWhatIsNotKept) {
    struct Case {
        std::string workbook;
        std::vector<std::string> options;
        std::string cell;
        std::string errors;
    };
    const Case cases[] = {
        {"two-sheets.xlsx", {}, utf8(u8"3,1 \"水电\" merged 0"), ""},
        {"two-sheets.xlsx", {"--sheet", utf8(u8"二月")}, utf8(u8"3,1 \"网费 Internet\" merged 0"), ""},
        {"lost.xlsx", {}, utf8(u8"4,1 \"三月\" merged 0"),
         "bgetool convert: " + workbookFile("lost.xlsx") + ": not kept: pictures, charts, conditional formats, comments\n"},
        {"form.ods", {}, utf8(u8"1,1 \"差旅费报销单\" merged 1048576"), ""},
    };
    for (const Case& c : cases) {
        TempDir directory;
        std::vector<std::string> arguments{"convert", workbookFile(c.workbook), directory.file("t.bge")};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        ToolRun run = runBgetool(arguments);
        ASSERT_EQ(run.exitStatus, 0) << c.cell << ": " << run.errors;
        EXPECT_EQ(run.errors, c.errors);
        const std::vector<std::string> cells = cellsOf(directory.file("t.bge"));
        EXPECT_NE(std::find(cells.begin(), cells.end(), c.cell), cells.end()) << c.cell;
    }
}

// Arguments it cannot follow are 2, files it cannot read or write 1, each with one
// line naming the file and why, and no output is left behind.
TEST(BgetoolConvertTest, WhatCannotBeConvertedStopsWithAReasonAndNoOutput) {
    TempDir directory;
    writeWholeFile(directory.file("notes.xlsx"), "just some text, not a workbook\n");
    const std::string table = dataFile("varied.bge");
    const std::string out = directory.file("out.bge");
    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> cases = {
        {{directory.file("a.txt"), out}, 2, "IN must end in"},
        {{table, directory.file("out.docx")}, 2, "OUT must end in"},
        {{table}, 2, "IN and OUT are needed"},
        {{table, out, "--bogus"}, 2, "unknown option --bogus"},
        {{table, out, "--sheet", "x"}, 2, "chooses a sheet of a workbook"},
        {{directory.file("notes.xlsx"), out}, 1, "notes.xlsx: is not a workbook"},
        {{workbookFile("encrypted.xlsx"), out}, 1, "encrypted.xlsx: is protected by a password"},
        {{workbookFile("two-sheets.xlsx"), out, "--sheet", utf8(u8"三月")}, 1,
         utf8(u8"has no sheet named 三月; its sheets are 一月, 二月")},
        {{directory.file("missing.bge"), out}, 1, "missing.bge"},
        {{directory.file("missing.csv"), out}, 1, "cannot read " + directory.file("missing.csv")},
        {{table, directory.file("absent/out.csv")}, 1, "cannot write " + directory.file("absent/out.csv")},
    };
    for (const auto& [arguments, exitStatus, message] : cases) {
        std::vector<std::string> command{"convert"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        ToolRun run = runBgetool(command);
        EXPECT_EQ(run.exitStatus, exitStatus) << message;
        EXPECT_NE(run.errors.find(message), std::string::npos) << message << ": " << run.errors;
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.path()), {}), 1) << "only notes.xlsx";
    }
}

}  // namespace
