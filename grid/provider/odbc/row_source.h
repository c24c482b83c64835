#pragma once

#include <cstdint>

#include "grid/provider/odbc/field.h"

namespace grid::odbc {

// Where the rows of a record set come from, by position. Rows are fetched in blocks
// of blockRows and held in a bounded cache, so no source ever holds a whole table.
// A row holds the shown columns, then the key columns when the rows are found by key.
class RowSource {
public:
    static constexpr int32_t blockRows = 200;
    static constexpr size_t cachedBlocks = 32;

    virtual ~RowSource() = default;

    virtual int32_t count() const = 0;
    // Whether count() is only the database's estimate, until settleCount() gives the
    // number counted elsewhere; every row is then read again.
    virtual bool isCountEstimated() const { return false; }
    virtual void settleCount(int64_t) {}
    // The row at a position; null when fetching failed (the database holds the message).
    virtual const Row* row(int32_t position) = 0;
    // After the database accepted a change: the row as it is now, a row gone, a new
    // row at the end.
    virtual bool replace(int32_t position, Row row) = 0;
    virtual void remove(int32_t position) = 0;
    virtual bool append(Row row) = 0;
};

}  // namespace grid::odbc
