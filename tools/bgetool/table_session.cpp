#include "tools/bgetool/table_session.h"

#include <charconv>
#include <cstdlib>
#include <iostream>

#include "grid/format/table_file_io.h"
#include "grid/format/write_target.h"
#include "runtime/value/unit_registry.h"

namespace bgetool {
namespace {

// "new:R,C" with two counts that are not negative.
bool parseNewTable(std::string_view text, int32_t& rows, int32_t& columns) {
    if (!text.starts_with("new:")) return false;
    text.remove_prefix(4);
    const char* end = text.data() + text.size();
    auto [afterRows, rowStatus] = std::from_chars(text.data(), end, rows);
    if (rowStatus != std::errc() || afterRows == end || *afterRows != ',') return false;
    auto [afterColumns, columnStatus] = std::from_chars(afterRows + 1, end, columns);
    return columnStatus == std::errc() && afterColumns == end && rows >= 0 && columns >= 0;
}

}  // namespace

TableSession::TableSession() {
    source_.bindProvider(&provider_);
    rt::registerUnitObject(unit_, &source_);
}

TableSession::~TableSession() { rt::unregisterUnitObject(unit_); }

OpenResult TableSession::open(const std::string& input, std::string& error) {
    if (!input.starts_with("new:")) return load(input, error) ? OpenResult::Opened : OpenResult::Failed;
    int32_t rows = 0;
    int32_t columns = 0;
    if (!parseNewTable(input, rows, columns)) {
        error = "IN must be a file or new:ROWS,COLUMNS, not " + input;
        return OpenResult::Malformed;
    }
    if (!provider_.setSize(rows, columns)) {
        error = "a table of " + std::to_string(rows) + " x " + std::to_string(columns) + " is beyond the limits";
        return OpenResult::Failed;
    }
    return OpenResult::Opened;
}

bool TableSession::load(const std::string& path, std::string& error) {
    grid::ReadError result = grid::loadTableFile(source_, path);
    if (result == grid::ReadError::None) return true;
    error = path + ": " + std::string(grid::readErrorMessage(result));
    return false;
}

grid::Table TableSession::emptyTable() const {
    return grid::Table({provider_.defaultRowHeight(), provider_.defaultColumnWidth()});
}

void TableSession::replaceTable(grid::Table&& table) {
    source_.notifyBeforeChange();
    provider_.replaceTable(std::move(table));
    source_.notifyTableReset();
}

void endWithoutCleanup(int status) {
    std::cout.flush();
    std::cerr.flush();
    std::_Exit(std::cout.good() ? status : 1);
}

std::string cannotWrite(const std::string& path) {
    std::string message = "cannot write " + path;
    if (grid::isForeignLinkInSharedFolder(path)) {
        message += ": it is a link that someone else put into a shared folder, which is never written through";
    }
    return message;
}

}  // namespace bgetool
