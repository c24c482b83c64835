#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grid/model/table.h"
#include "grid/workbook/lost_content.h"

namespace grid::workbook {

enum class WorkbookKind { Xlsx, Ods };

enum class WorkbookError {
    None,
    Unreadable,     // missing, not a regular file, or unreadable
    NotAWorkbook,   // the bytes are not a workbook of the kind the name says
    Encrypted,      // protected by a password
    Damaged,        // the library could not read it
    TooLarge,       // beyond the table's limits
    OutOfMemory,
    NoSheet,        // a workbook without sheets
};

// A short English reason, for bgetool.
const char* describe(WorkbookError error);

// A workbook read whole: its sheets' names, the content none of them can keep, and
// each sheet made into a table when asked for. The sheets are kept as read until the
// reader goes, so choosing another costs no second reading.
class WorkbookReader {
public:
    WorkbookReader();
    ~WorkbookReader();

    // Reads the file through the library; the file is read as the person's own
    // regular file, never followed to a device or a pipe.
    WorkbookError read(const std::string& path, WorkbookKind kind);
    // The same from bytes already in memory.
    WorkbookError readBytes(std::string_view bytes, WorkbookKind kind);

    // GBK, in the workbook's order.
    const std::vector<std::string>& sheetNames() const { return names_; }
    const LostContent& lost() const { return lost_; }
    // The sheet at index as a table, with the margins, paper and orientation the
    // workbook gives its page.
    WorkbookError buildSheet(size_t index, Table& table);

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
    std::vector<std::string> names_;
    LostContent lost_;
};

// The kind a file's name asks for: .xlsx or .ods, any case; nothing for others.
std::optional<WorkbookKind> workbookKindOf(const std::string& path);

}  // namespace grid::workbook
