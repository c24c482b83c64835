#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// A workbook as read by a process of its own (bgetool's workbook command): the
// library that reads workbooks gives up on some damaged files by ending the process,
// which must not be the editor with a person's work in it.
struct WorkbookReading {
    // A grid::workbook::WorkbookError; 0 when the workbook was read.
    int32_t error = 0;
    // The reading process could not be started, or did not end by itself.
    bool failedToRun = false;
    bool readerMissing = false;
    std::vector<std::string> sheetNames;  // GBK
    std::vector<int32_t> lost;            // grid::workbook::LostKind values
};

// Reads the workbook named by the GBK path; with a sheet (from 1), also writes that
// sheet as the table file tablePath (a file system path).
WorkbookReading readWorkbookApart(std::string_view path, int32_t sheet = 0, const std::string& tablePath = {});

}  // namespace app
