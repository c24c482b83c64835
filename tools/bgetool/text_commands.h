#pragma once

#include <span>
#include <string_view>

namespace bgetool {

extern const std::string_view kImportHelp;
extern const std::string_view kExportHelp;

// bgetool import IN TEXT OUT [options] and bgetool export IN TEXT [options]: the
// editor's text import and export without a display. Exit status 0 done, 1 a file
// could not be read or written (or the table cannot grow that far), 2 a malformed
// argument.
int runImport(std::span<char*> arguments);
int runExport(std::span<char*> arguments);

}  // namespace bgetool
