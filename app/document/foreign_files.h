#pragma once

#include <string_view>

namespace app {

// Files of other programs that open as a new, unsaved table titled after the file:
// workbooks (.xlsx, .ods) and comma-separated text (.csv). Saving such a table asks
// for a table file's name, so the original is never written over.
bool isForeignFile(std::string_view path);

// Opens one; a file that cannot be opened is reported, naming it and the reason, and
// the current table stays as it was. A workbook of several sheets asks which one.
// What the workbook holds that a table cannot keep is listed once afterwards.
bool openForeignFile(std::string_view path);

}  // namespace app
