#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/exchange/delimited_format.h"
#include "app/exchange/text_exchange.h"
#include "tools/bgetool/table_session.h"

namespace bgetool {

extern const std::string_view kImportHelp;
extern const std::string_view kExportHelp;

// bgetool import IN TEXT OUT [options] and bgetool export IN TEXT [options]: the
// editor's text import and export without a display. Exit status 0 done, 1 a file
// could not be read or written (or the table cannot grow that far), 2 a malformed
// argument.
int runImport(std::span<char*> arguments);
int runExport(std::span<char*> arguments);

// What an import read: its lines and the most fields on one of them.
struct ImportedText {
    size_t lines = 0;
    int32_t widest = 0;
};

// Reads the delimited text file into the session's table as the editor's import does,
// the encoding guessed from the bytes when none is given. Characters GBK cannot hold
// are reported on standard error; nothing, after a message there, when the file
// cannot be read or the table cannot grow that far. The messages begin with
// "bgetool COMMAND: ".
std::optional<ImportedText> importTextFile(TableSession& session, std::string_view command, const std::string& textFile,
                                           const app::DelimitedFormat& format,
                                           std::optional<app::TextEncoding> encoding);

// Writes the table's GBK text to the file in the encoding, replacing it only once
// complete; false when it cannot be written.
bool writeTextFile(const std::string& textFile, std::string_view gbk, app::TextEncoding encoding);

}  // namespace bgetool
