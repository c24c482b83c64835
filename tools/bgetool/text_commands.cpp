#include "tools/bgetool/text_commands.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "grid/format/table_file_io.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/value/file_name.h"
#include "tools/bgetool/file_export.h"

namespace bgetool {

const std::string_view kImportHelp =
    "usage: bgetool import IN TEXT OUT [options]\n"
    "Reads the delimited text file TEXT into the table IN (a table file or new:ROWS,COLUMNS)\n"
    "as the editor's import does: the table grows to every line and to the widest line,\n"
    "and line N lands in row N from the first column. OUT is the table file to write.\n"
    "options:\n"
    "  --columns SEP     the column separator (default ;)\n"
    "  --rows SEP        the row separator (default: a line break, \\r\\n, \\n or \\r)\n"
    "  --encoding ENC    gbk, utf-8 or auto (default auto: UTF-8 when the file starts with\n"
    "                    its byte-order mark or is UTF-8 beyond ASCII, GBK otherwise)\n"
    "  --quoted          fields in double quotes may hold separators and line breaks\n"
    "A separator may use \\t, \\r, \\n and \\\\. Characters GBK cannot hold become \"?\" and\n"
    "are reported on standard error.\n";

const std::string_view kExportHelp =
    "usage: bgetool export IN TEXT [options]\n"
    "Writes the cell texts of the table file IN to the delimited text file TEXT as the\n"
    "editor's export does: columns up to the last one holding text, every empty cell\n"
    "keeping its separator, no row separator after the last line.\n"
    "options:\n"
    "  --columns SEP     the column separator (default ;)\n"
    "  --rows SEP        the row separator (default \\r\\n)\n"
    "  --encoding ENC    gbk, utf-8 or utf-8-bom (default gbk)\n"
    "  --quoted          quote fields holding a separator, a quote or a line break\n";

namespace {

struct TextOptions {
    app::DelimitedFormat format;
    std::optional<app::TextEncoding> encoding;
    std::vector<std::string> files;
};

// A separator as typed on the command line (UTF-8, with \t \r \n \\), as GBK bytes.
std::string separatorOf(std::string_view typed) {
    std::string bytes;
    for (size_t i = 0; i < typed.size(); ++i) {
        if (typed[i] != '\\' || i + 1 == typed.size()) {
            bytes += typed[i];
            continue;
        }
        char escaped = typed[++i];
        bytes += escaped == 't' ? '\t' : escaped == 'r' ? '\r' : escaped == 'n' ? '\n' : escaped;
    }
    return rt::utf8ToGbk(bytes);
}

std::optional<app::TextEncoding> encodingOf(std::string_view name, bool exporting, bool& valid) {
    valid = true;
    if (name == "gbk") return app::TextEncoding::Gbk;
    if (name == "utf-8") return app::TextEncoding::Utf8;
    if (name == "utf-8-bom" && exporting) return app::TextEncoding::Utf8WithMark;
    if (name == "auto" && !exporting) return std::nullopt;
    valid = false;
    return std::nullopt;
}

bool parseOptions(std::span<char*> arguments, bool exporting, TextOptions& options, std::string& error) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        bool takesValue = argument == "--columns" || argument == "--rows" || argument == "--encoding";
        if (takesValue && i + 1 == arguments.size()) {
            error = std::string(argument) + " needs a value";
            return false;
        }
        if (argument == "--columns") {
            options.format.columnSeparator = separatorOf(arguments[++i]);
        } else if (argument == "--rows") {
            options.format.rowSeparator = separatorOf(arguments[++i]);
        } else if (argument == "--encoding") {
            bool valid = false;
            options.encoding = encodingOf(arguments[++i], exporting, valid);
            if (!valid) {
                error = "unknown encoding " + std::string(arguments[i]);
                return false;
            }
        } else if (argument == "--quoted") {
            options.format.quoted = true;
        } else if (argument.starts_with("--")) {
            error = "unknown option " + std::string(argument);
            return false;
        } else {
            options.files.emplace_back(argument);
        }
    }
    return true;
}

std::string gbkName(const std::string& path) { return rt::textFromPath(std::filesystem::path(path)); }

}  // namespace

std::optional<ImportedText> importTextFile(TableSession& session, std::string_view command, const std::string& textFile,
                                           const app::DelimitedFormat& format,
                                           std::optional<app::TextEncoding> encoding) {
    std::optional<std::string> bytes = app::readFileBytes(gbkName(textFile));
    if (!bytes) {
        std::cerr << "bgetool " << command << ": cannot read " << textFile << '\n';
        return std::nullopt;
    }
    rt::GbkFromUtf8 text = app::decodeFileText(*bytes, encoding.value_or(app::guessEncoding(*bytes)));
    if (text.unmappable > 0) {
        std::cerr << "bgetool " << command << ": " << text.unmappable
                  << " character(s) that GBK cannot hold became \"?\", the first on line " << text.firstUnmappableLine
                  << '\n';
    }
    app::TextLines lines = app::readDelimited(text.text, format).value();
    if (app::importLines(app::DataSourceRef(session.unit()), lines) == app::ImportResult::TooLarge) {
        std::cerr << "bgetool " << command << ": " << textFile << " has more lines or fields than a table can hold\n";
        return std::nullopt;
    }
    return ImportedText{lines.fieldCounts.size(), lines.widest};
}

bool writeTextFile(const std::string& textFile, std::string_view gbk, app::TextEncoding encoding) {
    return app::writeFileBytes(gbkName(textFile), app::encodeFileText(gbk, encoding));
}

int runImport(std::span<char*> arguments) {
    TextOptions options;
    std::string error;
    if (!parseOptions(arguments, false, options, error) || options.files.size() != 3) {
        std::cerr << "bgetool import: " << (error.empty() ? "IN, TEXT and OUT are needed" : error)
                  << " (see bgetool import --help)\n";
        return 2;
    }
    TableSession session;
    if (OpenResult opened = session.open(options.files[0], error); opened != OpenResult::Opened) {
        std::cerr << "bgetool import: " << error << '\n';
        return opened == OpenResult::Malformed ? 2 : 1;
    }
    std::optional<ImportedText> imported =
        importTextFile(session, "import", options.files[1], options.format, options.encoding);
    if (!imported) return 1;
    if (!grid::saveTableFile(session.source(), options.files[2])) {
        std::cerr << "bgetool import: " << cannotWrite(options.files[2]) << '\n';
        return 1;
    }
    const grid::NProvider& table = session.provider();
    std::cout << imported->lines << " lines, at most " << imported->widest << " fields; the table has "
              << table.rowCount() << " x " << table.columnCount() << " cells\n";
    endWithoutCleanup(0);
}

int runExport(std::span<char*> arguments) {
    TextOptions options;
    std::string error;
    if (!parseOptions(arguments, true, options, error) || options.files.size() != 2) {
        std::cerr << "bgetool export: " << (error.empty() ? "IN and TEXT are needed" : error)
                  << " (see bgetool export --help)\n";
        return 2;
    }
    grid::ReadError failure = grid::ReadError::None;
    switch (exportTextFile(options.files[0], options.files[1], options.format,
                           options.encoding.value_or(app::TextEncoding::Gbk), failure)) {
        case ExportResult::Written: break;
        case ExportResult::TableNotRead:
            std::cerr << "bgetool export: " << options.files[0] << ": " << grid::readErrorMessage(failure) << '\n';
            return 1;
        case ExportResult::TextNotWritten:
            std::cerr << "bgetool export: " << cannotWrite(options.files[1]) << '\n';
            return 1;
    }
    endWithoutCleanup(0);
}

}  // namespace bgetool
