#pragma once

#include <string>

#include "grid/model/data_source.h"
#include "grid/model/text_measurer.h"
#include "grid/provider/n_provider.h"
#include "runtime/value/value.h"

namespace bgetool {

enum class OpenResult { Opened, Malformed, Failed };

// An in-memory table behind a data source, registered as a unit so that the
// data-source commands reach it exactly as they reach the editor's. There are no
// fonts here, so the default sizes come from the headless letter extent.
class TableSession {
public:
    TableSession();
    ~TableSession();
    TableSession(const TableSession&) = delete;
    TableSession& operator=(const TableSession&) = delete;

    // Loads a file; false with a message naming the file and the reason.
    bool load(const std::string& path, std::string& error);
    // A table file, or new:ROWS,COLUMNS for a new table of that size: Malformed for an
    // input of neither form, Failed for a file that does not load or a size beyond the
    // limits, each with a message.
    OpenResult open(const std::string& input, std::string& error);
    // An empty table with the session's default row height and column width, to be
    // filled elsewhere (from a workbook's sheet) and then put in place of the
    // session's own.
    grid::Table emptyTable() const;
    void replaceTable(grid::Table&& table);

    grid::DataSrc& source() { return source_; }
    const grid::NProvider& provider() const { return provider_; }
    rt::UnitRef unit() const { return unit_; }

private:
    grid::FixedTextMeasurer measurer_{grid::kHeadlessLetterExtent};
    grid::NProvider provider_{measurer_};
    grid::DataSrc source_;
    rt::UnitRef unit_{1, 1, rt::unit_kind::DataSrc};
};

// Ends the process with this status once the output is out, without taking a loaded
// table apart: freeing millions of cells one by one costs time a person waits for,
// and the system takes the memory back at once anyway.
[[noreturn]] void endWithoutCleanup(int status);

// "cannot write PATH", with the reason when the save was refused for its name.
std::string cannotWrite(const std::string& path);

}  // namespace bgetool
