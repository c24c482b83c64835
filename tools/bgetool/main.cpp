// bgetool: reads and changes table files from the command line, through the same
// code as the editor.
#include <cstring>
#include <iostream>
#include <span>
#include <string_view>

#include "program_version.h"
#include "tools/bgetool/convert_command.h"
#include "tools/bgetool/exec_command.h"
#include "tools/bgetool/pdf_command.h"
#include "tools/bgetool/table_json.h"
#include "tools/bgetool/table_session.h"
#include "tools/bgetool/text_commands.h"
#include "tools/bgetool/workbook_command.h"
#include "tools/bgetool/workbook_reading_command.h"

namespace {

constexpr std::string_view kUsage =
    "usage: bgetool info FILE\n"
    "       bgetool dump FILE\n"
    "       bgetool exec IN OUT COMMAND...\n"
    "       bgetool import IN TEXT OUT [options]\n"
    "       bgetool export IN TEXT [options]\n"
    "       bgetool xlsx IN OUT.xlsx\n"
    "       bgetool pdf IN OUT.pdf\n"
    "       bgetool workbook IN [SHEET OUT]\n"
    "       bgetool convert IN OUT [--sheet NAME]\n"
    "       bgetool --version\n"
    "Run bgetool COMMAND --help for the details of one command.\n";

constexpr std::string_view kInfoHelp =
    "usage: bgetool info FILE\n"
    "Prints one JSON object: rows, columns, fixedRows, fixedColumns, rowHeights,\n"
    "columnWidths (0.1 mm) and page (the eleven stored page settings).\n"
    "Exit status 1 with a message when the file does not load.\n";

constexpr std::string_view kDumpHelp =
    "usage: bgetool dump FILE\n"
    "Prints the info object on the first line, then one JSON object per cell in row\n"
    "order: row, column (from 1), flags, textColor, backColor, fontName (\"\" for the\n"
    "default face), fontSize, margin, kind (1-4) and text for kinds 1 and 2, or\n"
    "dataLength and dataHex (at most the first 32 bytes) for kinds 3 and 4.\n";

constexpr std::string_view kExecHelp =
    "usage: bgetool exec IN OUT COMMAND...\n"
    "IN is a table file or new:ROWS,COLUMNS (a new table of that size). Each COMMAND is\n"
    "one argument: a data-source command name and its arguments separated by blanks,\n"
    "rows and columns counted from 1. An argument is an integer (decimal or 0x-hex),\n"
    "a text in double or single quotes, @path (the bytes of that file) or _ (left out,\n"
    "so the command uses its default). Each result is printed on one line: integers in\n"
    "decimal, logicals as true or false, texts as JSON strings, byte sets as their\n"
    "length; commands without a result print nothing. OUT is the file to save the\n"
    "table to, or - to save nothing. An unknown command or a malformed argument stops\n"
    "before anything runs, with exit status 2.\n"
    "example: bgetool exec new:3,2 out.bge \"setCellText 1 1 'Name'\" \"drawLines 1 1 3 2\"\n";

bool asksForHelp(std::span<char*> arguments) {
    for (const char* argument : arguments) {
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) return true;
    }
    return false;
}

int runInfoOrDump(std::string_view command, std::span<char*> arguments) {
    if (arguments.size() != 1) {
        std::cerr << "bgetool " << command << ": exactly one FILE is needed\n";
        return 2;
    }
    // The frame alone is read without building the table.
    if (command == "info") {
        grid::TableSummary summary;
        const grid::ReadError result = grid::readTableSummary(arguments[0], summary);
        if (result != grid::ReadError::None) {
            std::cerr << "bgetool info: " << arguments[0] << ": " << grid::readErrorMessage(result) << '\n';
            return 1;
        }
        std::cout << bgetool::tableInfoJson(summary) << '\n';
        return 0;
    }
    bgetool::TableSession session;
    std::string error;
    if (!session.load(arguments[0], error)) {
        std::cerr << "bgetool " << command << ": " << error << '\n';
        return 1;
    }
    const grid::NProvider& provider = session.provider();
    std::cout << bgetool::tableInfoJson(provider) << '\n';
    const grid::Table& table = provider.table();
    for (int32_t row = 0; row < table.rowCount(); ++row) {
        for (int32_t column = 0; column < table.columnCount(); ++column) {
            std::cout << bgetool::cellJson(row, column, table.cell(row, column)) << '\n';
        }
    }
    bgetool::endWithoutCleanup(0);
}

}  // namespace

int main(int argc, char** argv) {
    std::span<char*> arguments(argv + 1, static_cast<size_t>(argc - 1));
    if (arguments.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    std::string_view command = arguments[0];
    std::span<char*> rest = arguments.subspan(1);
    if (command == "--version") {
        std::cout << "bgetool " << kProgramVersion << '\n';
        return 0;
    }
    if (command == "--help" || command == "-h") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "info" || command == "dump") {
        if (asksForHelp(rest)) {
            std::cout << (command == "info" ? kInfoHelp : kDumpHelp);
            return 0;
        }
        return runInfoOrDump(command, rest);
    }
    if (command == "exec") {
        if (rest.size() == 1 && asksForHelp(rest)) {
            std::cout << kExecHelp;
            return 0;
        }
        return bgetool::runExec(rest);
    }
    if (command == "import" || command == "export") {
        if (asksForHelp(rest)) {
            std::cout << (command == "import" ? bgetool::kImportHelp : bgetool::kExportHelp);
            return 0;
        }
        return command == "import" ? bgetool::runImport(rest) : bgetool::runExport(rest);
    }
    if (command == "xlsx") {
        if (asksForHelp(rest)) {
            std::cout << bgetool::kWorkbookHelp;
            return 0;
        }
        return bgetool::runWorkbookExport(rest);
    }
    if (command == "pdf") {
        if (asksForHelp(rest)) {
            std::cout << bgetool::kPdfHelp;
            return 0;
        }
        return bgetool::runPdfPrint(argc, argv, rest);
    }
    if (command == "convert") {
        if (asksForHelp(rest)) {
            std::cout << bgetool::kConvertHelp;
            return 0;
        }
        return bgetool::runConvert(argc, argv, rest);
    }
    if (command == "workbook") {
        if (asksForHelp(rest)) {
            std::cout << bgetool::kWorkbookReadingHelp;
            return 0;
        }
        return bgetool::runWorkbookReading(rest);
    }
    std::cerr << "bgetool: unknown command " << command << '\n' << kUsage;
    return 2;
}
