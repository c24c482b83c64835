#pragma once

#include <map>
#include <string>
#include <vector>

#include "grid/provider/odbc/block_cache.h"
#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/row_source.h"
#include "grid/provider/odbc/statement.h"

namespace grid::odbc {

// The rows of any query, through the driver's static cursor: a block is one jump
// (SQL_FETCH_ABSOLUTE) and the rows after it. The cursor keeps the rows as they were
// when the query ran, so the changes made since are kept beside it: rows removed,
// rows changed, rows appended (shown after the cursor's rows).
class CursorRows : public RowSource {
public:
    CursorRows(Database& database, std::u16string query);

    // Runs the query and counts its rows with SELECT count(*) FROM (query).
    bool load();
    const std::vector<Column>& columns() const { return columns_; }

    int32_t count() const override;
    const Row* row(int32_t position) override;
    bool replace(int32_t position, Row row) override;
    void remove(int32_t position) override;
    bool append(Row row) override;

private:
    // The cursor's row shown at a position, or -1 for an appended row.
    int64_t cursorPosition(int32_t position) const;
    int64_t shownCursorRows() const { return cursorRows_ - int64_t(removed_.size()); }
    BlockCache::Block* fetchBlock(int64_t block);

    Database& database_;
    std::u16string query_;
    Statement statement_;
    std::vector<Column> columns_;
    int64_t cursorRows_ = 0;
    std::vector<int64_t> removed_;  // cursor positions, ascending
    std::map<int64_t, Row> changed_;
    std::vector<Row> appended_;
    BlockCache cache_;
};

}  // namespace grid::odbc
