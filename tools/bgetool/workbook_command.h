#pragma once

#include <span>
#include <string_view>

namespace bgetool {

extern const std::string_view kWorkbookHelp;

// bgetool xlsx IN OUT.xlsx: the table file IN as a workbook. Exit status 0 done, 1 the
// table does not load or the workbook cannot be written, 2 a malformed argument.
int runWorkbookExport(std::span<char*> arguments);

}  // namespace bgetool
