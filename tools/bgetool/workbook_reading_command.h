#pragma once

#include <span>
#include <string_view>

namespace bgetool {

extern const std::string_view kWorkbookReadingHelp;

// bgetool workbook IN [SHEET OUT]: what the editor runs to open a workbook in a process
// of its own, so that a workbook that makes the library fail takes only this process
// down. See the help text for the lines it prints.
int runWorkbookReading(std::span<char*> arguments);

}  // namespace bgetool
