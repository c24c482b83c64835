#include "grid/model/table_replace.h"

#include <optional>
#include <string>

#include "grid/model/data_source.h"
#include "grid/model/searchable_cells.h"

namespace grid {
namespace {

// Writes the cell's new text when it has one; whether it did.
bool replaceAt(DataSrc& source, SearchableCells& cells, CellPosition cell, const TextPattern& pattern,
               std::string_view replacement) {
    const std::string_view text = cells.textAt(cell.row, cell.column);
    std::optional<std::string> replaced = pattern.replaced(text, replacement);
    if (!replaced || *replaced == text) return false;
    source.setCellText(cell.row, cell.column, *replaced);
    return true;
}

// Ends the batch however the writes end: a view must never be left waiting for it.
class BatchScope {
public:
    explicit BatchScope(DataSrc& source) : source_(source) { source_.beginBatch(); }
    ~BatchScope() { source_.endBatch(); }
    BatchScope(const BatchScope&) = delete;
    BatchScope& operator=(const BatchScope&) = delete;

private:
    DataSrc& source_;
};

}  // namespace

bool replaceInCell(DataSrc& source, CellPosition cell, const TextPattern& pattern, std::string_view replacement) {
    if (!source.containsCell(cell.row, cell.column)) return false;
    SearchableCells cells(*source.provider());
    return replaceAt(source, cells, cell, pattern, replacement);
}

int64_t replaceAll(DataSrc& source, const CellRange& area, const TextPattern& pattern, std::string_view replacement) {
    std::optional<CellRange> valid = source.validRange(area);
    if (!valid) return 0;
    SearchableCells cells(*source.provider());
    BatchScope batch(source);
    int64_t count = 0;
    for (int32_t row = valid->row; row <= valid->lastRow(); ++row) {
        for (int32_t column = valid->column; column <= valid->lastColumn(); ++column) {
            if (replaceAt(source, cells, {row, column}, pattern, replacement)) ++count;
        }
    }
    return count;
}

}  // namespace grid
