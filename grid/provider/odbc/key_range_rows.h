#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "grid/provider/odbc/block_cache.h"
#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/row_source.h"
#include "grid/provider/odbc/table_statements.h"

namespace grid::odbc {

// The rows of a table with a one-column key, in the key's order, read a block at a
// time by ranges of the key: the block after a cached one is the rows whose key is
// above its last key (ORDER BY key LIMIT n), the block before one the rows below its
// first key. A block far from any cached one starts from the nearest known key (each
// block's first key is remembered, up to a bound) or from either end of the table,
// skipping rows with the database's own OFFSET. So the memory stays bounded whatever
// the size of the table: no list of every key is ever read.
//
// Positions are those of the table when it was counted; rows others add or remove
// later shift what a far jump finds, while neighbouring blocks always follow on from
// each other. Appended rows are shown after the last row until the rows are read
// again, wherever their key would put them.
class KeyRangeRows : public RowSource {
public:
    KeyRangeRows(Database& database, const TableStatements& statements, Column keyColumn, size_t shownColumns);

    // Counts the rows; with mayEstimate, a table the database expects to hold millions
    // of rows takes its estimate instead, which takes no time where counting takes
    // seconds.
    bool load(bool mayEstimate);
    bool isCountEstimated() const override { return estimated_; }
    void settleCount(int64_t rows) override;

    int32_t count() const override;
    const Row* row(int32_t position) override;
    bool replace(int32_t position, Row row) override;
    void remove(int32_t position) override;
    bool append(Row row) override;

private:
    struct Plan {
        std::u16string_view bound;
        const std::u16string* key = nullptr;
        bool descending = false;
        int64_t offset = 0;
    };

    Plan plan(int64_t first, int64_t rows);
    BlockCache::Block* fetchBlock(int64_t block);
    const std::u16string& keyOf(const Row& row) const { return row[shownColumns_].text; }
    void remember(int64_t position, const Row& row);

    Database& database_;
    const TableStatements& statements_;
    Column keyColumn_;
    size_t shownColumns_;
    int64_t counted_ = 0;
    bool estimated_ = false;
    BlockCache cache_;
    std::map<int64_t, std::u16string> anchors_;  // position -> key of the row there
    std::vector<Row> appended_;
    std::unordered_set<std::u16string> appendedKeys_;
};

}  // namespace grid::odbc
