#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <algorithm>
#include <vector>

#include "grid/format/byte_sink.h"
#include "grid/format/table_file.h"
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
    for (const char* command : {"info", "dump", "exec", "xlsx", "pdf"}) {
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
