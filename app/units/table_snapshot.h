#pragma once

#include <filesystem>
#include <memory>

#include "grid/format/write_target.h"

namespace grid {
class Table;
}

namespace app {

// The main table frozen as it is at one moment, to be written to a file on another
// thread while the person goes on editing. It shares the table's rows until the
// table writes to them, as an undo state does, so taking one costs the list of the
// rows, not their cells. A command's result can neither outlive the call nor travel
// to another thread, so this wrapper holds the data source's kept table itself.
class TableSnapshot {
public:
    // The main table now; empty when the main window is not loaded or memory ran out.
    static TableSnapshot ofMainTable();

    explicit operator bool() const { return table_ != nullptr; }
    // Writes the table file atomically; on any thread.
    bool saveTo(const std::filesystem::path& file, const grid::WriteRules& rules = {}) const;

private:
    std::shared_ptr<const grid::Table> table_;
};

}  // namespace app
