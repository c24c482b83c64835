#pragma once

#include <string>
#include <vector>

#include "grid/provider/odbc/block_cache.h"
#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/key_list.h"
#include "grid/provider/odbc/row_source.h"
#include "grid/provider/odbc/table_statements.h"

namespace grid::odbc {

// The rows of a table with a primary key. Opening reads the key of every row once, in
// the query's order; a block of rows is then one SELECT ... WHERE key IN (the block's
// keys), so reaching any row - the last one too - costs one block fetch, never a scan
// or an OFFSET. Positions stay put while rows are edited, even when a key changes.
class KeysetRows : public RowSource {
public:
    KeysetRows(Database& database, const TableStatements& statements, std::vector<Column> keyColumns, size_t shownColumns);

    bool load();

    int32_t count() const override;
    const Row* row(int32_t position) override;
    bool replace(int32_t position, Row row) override;
    void remove(int32_t position) override;
    bool append(Row row) override;

private:
    BlockCache::Block* fetchBlock(int64_t block);
    std::vector<std::u16string_view> keyOf(const Row& row) const;
    std::u16string identityAt(size_t position) const;

    Database& database_;
    const TableStatements& statements_;
    std::vector<Column> keyColumns_;
    size_t shownColumns_;
    KeyList keys_;
    BlockCache cache_;
};

}  // namespace grid::odbc
