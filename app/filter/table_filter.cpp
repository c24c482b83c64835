#include "app/filter/table_filter.h"

#include <string>
#include <vector>

#include "app/units/text_block_cursor.h"

namespace app {

int32_t filterTable(const DataSourceRef& table, const FilterRules& rules, FilterDirection direction,
                    int32_t firstLine, int32_t keyLine, const DeletionCheck& mayDelete) {
    bool byRow = direction == FilterDirection::Rows;
    int32_t lastLine = byRow ? table.rowCount() : table.columnCount();
    if (firstLine < 1 || firstLine > lastLine) return 0;
    int32_t lineCount = lastLine - firstLine + 1;
    std::string keys = byRow ? table.textBlock(firstLine, keyLine, lineCount, 1)
                             : table.textBlock(keyLine, firstLine, 1, lineCount);
    TextBlockCursor cursor(keys);
    std::vector<int32_t> doomed;
    for (int32_t line = firstLine; line <= lastLine; ++line) {
        if (rules.asksToDelete(cursor.next())) doomed.push_back(line);
    }
    if (doomed.empty()) return 0;
    if (mayDelete && !mayDelete(static_cast<int32_t>(doomed.size()))) return 0;
    bool deleted = byRow ? table.deleteRowSet(doomed) : table.deleteColumnSet(doomed);
    return deleted ? static_cast<int32_t>(doomed.size()) : 0;
}

}  // namespace app
