#include "tools/bgetool/workbook_reading_command.h"

#include <charconv>
#include <cstring>
#include <iostream>
#include <string>

#include "grid/format/table_file_io.h"
#include "grid/workbook/workbook_reader.h"
#include "runtime/platform/gbk_codec.h"
#include "tools/bgetool/table_session.h"

namespace bgetool {

const std::string_view kWorkbookReadingHelp =
    "usage: bgetool workbook IN [SHEET OUT]\n"
    "Reads the workbook IN (.xlsx or .ods) for the editor, which runs it in a process of\n"
    "its own. Prints one line per sheet, \"sheet\" TAB its name (UTF-8), and one per kind\n"
    "of content no table can keep, \"lost\" TAB its number. With SHEET (from 1) and OUT,\n"
    "also writes that sheet as the table file OUT. A workbook that cannot be read prints\n"
    "\"error\" TAB the reason's number and ends with status 1; wrong arguments end with 2.\n";

namespace {

using grid::workbook::WorkbookError;

int failed(WorkbookError error) {
    std::cout << "error\t" << static_cast<int>(error) << '\n';
    return 1;
}

}  // namespace

int runWorkbookReading(std::span<char*> arguments) {
    if (arguments.size() != 1 && arguments.size() != 3) {
        std::cerr << "bgetool workbook: IN, or IN SHEET OUT, is needed (see bgetool workbook --help)\n";
        return 2;
    }
    const std::string path = arguments[0];
    std::optional<grid::workbook::WorkbookKind> kind = grid::workbook::workbookKindOf(path);
    int sheet = 0;
    if (arguments.size() == 3) {
        std::string_view text = arguments[1];
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), sheet);
        if (error != std::errc() || end != text.data() + text.size() || sheet < 1) sheet = 0;
    }
    if (!kind || (arguments.size() == 3 && sheet == 0)) {
        std::cerr << "bgetool workbook: IN must be .xlsx or .ods and SHEET a number from 1\n";
        return 2;
    }
    grid::workbook::WorkbookReader reader;
    if (WorkbookError error = reader.read(path, *kind); error != WorkbookError::None) return failed(error);
    for (const std::string& name : reader.sheetNames()) std::cout << "sheet\t" << rt::gbkToUtf8(name) << '\n';
    for (grid::workbook::LostKind lost : reader.lost()) std::cout << "lost\t" << static_cast<int>(lost) << '\n';
    if (sheet == 0) return 0;

    TableSession session;
    grid::Table table = session.emptyTable();
    if (WorkbookError error = reader.buildSheet(static_cast<size_t>(sheet - 1), table); error != WorkbookError::None) {
        return failed(error);
    }
    session.replaceTable(std::move(table));
    if (!grid::saveTableFile(session.source(), arguments[2])) {
        std::cerr << "bgetool workbook: " << cannotWrite(arguments[2]) << '\n';
        return 1;
    }
    endWithoutCleanup(0);
}

}  // namespace bgetool
