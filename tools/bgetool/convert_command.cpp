#include "tools/bgetool/convert_command.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/exchange/text_exchange.h"
#include "grid/format/table_file_io.h"
#include "grid/workbook/workbook_reader.h"
#include "grid/xlsx/workbook_export.h"
#include "runtime/platform/gbk_codec.h"
#include "tools/bgetool/pdf_command.h"
#include "tools/bgetool/table_session.h"
#include "tools/bgetool/text_commands.h"

namespace bgetool {

const std::string_view kConvertHelp =
    "usage: bgetool convert IN OUT [--sheet NAME]\n"
    "Reads IN and writes it to OUT, each in the kind its extension (in any case) names:\n"
    "  IN   .bge, .mob, .bfe  a table file\n"
    "       .xlsx, .ods       a workbook: its first sheet, or the sheet named NAME\n"
    "       .csv              comma-separated text: fields in double quotes may hold\n"
    "                         commas, doubled quotes and line breaks; lines end at\n"
    "                         \\r\\n, \\n or \\r; UTF-8 (with or without its byte-order\n"
    "                         mark) or else GBK, told from the bytes\n"
    "  OUT  .bge              a table file\n"
    "       .xlsx             a workbook of one sheet, as bgetool xlsx writes it\n"
    "       .pdf              the printed table, as bgetool pdf prints it\n"
    "       .csv              comma-separated UTF-8 text with its byte-order mark, lines\n"
    "                         ending in \\r\\n, fields quoted where needed\n"
    "What a workbook holds that a table cannot (pictures, charts, comments, ...) is\n"
    "named on standard error and left out. Exit status 1 when IN does not load or OUT\n"
    "cannot be written, 2 for an unknown extension or option.\n";

namespace {

enum class InputKind { Table, Workbook, Text };
enum class OutputKind { Table, Workbook, Pdf, Text };

std::string lowerExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

std::optional<InputKind> inputKindOf(const std::string& path) {
    const std::string extension = lowerExtension(path);
    if (extension == ".bge" || extension == ".mob" || extension == ".bfe") return InputKind::Table;
    if (grid::workbook::workbookKindOf(path)) return InputKind::Workbook;
    if (extension == ".csv") return InputKind::Text;
    return std::nullopt;
}

std::optional<OutputKind> outputKindOf(const std::string& path) {
    const std::string extension = lowerExtension(path);
    if (extension == ".bge") return OutputKind::Table;
    if (extension == ".xlsx") return OutputKind::Workbook;
    if (extension == ".pdf") return OutputKind::Pdf;
    if (extension == ".csv") return OutputKind::Text;
    return std::nullopt;
}

// Commas between fields, quotes where a field needs them, a line break between lines.
app::DelimitedFormat commaSeparated() {
    app::DelimitedFormat format;
    format.columnSeparator = ",";
    format.quoted = true;
    return format;
}

const char* englishName(grid::workbook::LostKind kind) {
    using grid::workbook::LostKind;
    switch (kind) {
        case LostKind::Pictures: return "pictures";
        case LostKind::Charts: return "charts";
        case LostKind::ConditionalFormats: return "conditional formats";
        case LostKind::Comments: return "comments";
        case LostKind::HiddenRowsAndColumns: return "hidden rows and columns (now shown)";
        case LostKind::SplitPanes: return "split panes";
    }
    return "";
}

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
    return text;
}

// The sheet of the workbook that is to become the table: the first, or the one the
// person named (typed in UTF-8, the names kept in GBK).
std::optional<size_t> chosenSheet(const std::vector<std::string>& names, const std::optional<std::string>& wanted) {
    if (!wanted) return 0;
    auto found = std::find(names.begin(), names.end(), rt::utf8ToGbk(*wanted));
    if (found == names.end()) return std::nullopt;
    return static_cast<size_t>(found - names.begin());
}

bool loadWorkbook(TableSession& session, const std::string& path, const std::optional<std::string>& sheet,
                  std::string& error) {
    using grid::workbook::WorkbookError;
    grid::workbook::WorkbookReader reader;
    WorkbookError failure = reader.read(path, *grid::workbook::workbookKindOf(path));
    grid::Table table = session.emptyTable();
    if (failure == WorkbookError::None) {
        std::optional<size_t> index = chosenSheet(reader.sheetNames(), sheet);
        if (!index) {
            std::vector<std::string> names;
            for (const std::string& name : reader.sheetNames()) names.push_back(rt::gbkToUtf8(name));
            error = path + ": has no sheet named " + *sheet + "; its sheets are " + joined(names);
            return false;
        }
        failure = reader.buildSheet(*index, table);
    }
    if (failure != WorkbookError::None) {
        error = path + ": " + grid::workbook::describe(failure);
        return false;
    }
    if (!reader.lost().empty()) {
        std::vector<std::string> lost;
        for (grid::workbook::LostKind kind : reader.lost()) lost.emplace_back(englishName(kind));
        std::cerr << "bgetool convert: " << path << ": not kept: " << joined(lost) << '\n';
    }
    session.replaceTable(std::move(table));
    return true;
}

struct ConvertArguments {
    std::string input;
    std::string output;
    std::optional<std::string> sheet;
};

bool parseArguments(std::span<char*> arguments, ConvertArguments& parsed, std::string& error) {
    std::vector<std::string> files;
    for (size_t i = 0; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        if (argument == "--sheet") {
            if (i + 1 == arguments.size()) {
                error = "--sheet needs a NAME";
                return false;
            }
            parsed.sheet = arguments[++i];
        } else if (argument.starts_with("--")) {
            error = "unknown option " + std::string(argument);
            return false;
        } else {
            files.emplace_back(argument);
        }
    }
    if (files.size() != 2) {
        error = "IN and OUT are needed";
        return false;
    }
    parsed.input = files[0];
    parsed.output = files[1];
    return true;
}

}  // namespace

int runConvert(int argc, char** argv, std::span<char*> arguments) {
    ConvertArguments parsed;
    std::string error;
    if (!parseArguments(arguments, parsed, error)) {
        std::cerr << "bgetool convert: " << error << " (see bgetool convert --help)\n";
        return 2;
    }
    const std::optional<InputKind> input = inputKindOf(parsed.input);
    const std::optional<OutputKind> output = outputKindOf(parsed.output);
    if (!input) {
        std::cerr << "bgetool convert: " << parsed.input
                  << ": IN must end in .bge, .mob, .bfe, .xlsx, .ods or .csv (see bgetool convert --help)\n";
        return 2;
    }
    if (!output) {
        std::cerr << "bgetool convert: " << parsed.output
                  << ": OUT must end in .bge, .xlsx, .pdf or .csv (see bgetool convert --help)\n";
        return 2;
    }
    if (parsed.sheet && input != InputKind::Workbook) {
        std::cerr << "bgetool convert: --sheet chooses a sheet of a workbook, and " << parsed.input
                  << " is none\n";
        return 2;
    }

    TableSession session;
    switch (*input) {
        case InputKind::Table:
            if (!session.load(parsed.input, error)) {
                std::cerr << "bgetool convert: " << error << '\n';
                return 1;
            }
            break;
        case InputKind::Workbook:
            if (!loadWorkbook(session, parsed.input, parsed.sheet, error)) {
                std::cerr << "bgetool convert: " << error << '\n';
                return 1;
            }
            break;
        case InputKind::Text:
            // A new table of one cell grows to the text's lines and fields, as an
            // import into new:1,1 does.
            session.open("new:1,1", error);
            if (!importTextFile(session, "convert", parsed.input, commaSeparated(), std::nullopt)) return 1;
            break;
    }

    switch (*output) {
        case OutputKind::Table:
            if (!grid::saveTableFile(session.source(), parsed.output)) {
                std::cerr << "bgetool convert: " << cannotWrite(parsed.output) << '\n';
                return 1;
            }
            break;
        case OutputKind::Workbook:
            if (!grid::xlsx::exportWorkbook(session.provider(), parsed.output, error)) {
                std::cerr << "bgetool convert: " << cannotWrite(parsed.output) << ": " << error << '\n';
                return 1;
            }
            break;
        case OutputKind::Pdf:
            if (!printToPdf(argc, argv, session, parsed.input, parsed.output, error)) {
                std::cerr << "bgetool convert: cannot print " << parsed.output << ": " << error << '\n';
                return 1;
            }
            break;
        case OutputKind::Text: {
            std::optional<std::string> text = app::exportLines(app::DataSourceRef(session.unit()), commaSeparated());
            if (!writeTextFile(parsed.output, *text, app::TextEncoding::Utf8WithMark)) {
                std::cerr << "bgetool convert: " << cannotWrite(parsed.output) << '\n';
                return 1;
            }
            break;
        }
    }
    endWithoutCleanup(0);
}

}  // namespace bgetool
