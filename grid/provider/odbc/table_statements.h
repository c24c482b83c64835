#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/field.h"
#include "grid/provider/odbc/single_table_query.h"

namespace grid::odbc {

// The statements that read and write the rows of one table. They are made of the
// user's own query pieces and of names the driver reported (quoted); every value goes
// in as a "?" parameter, never into the text.
class TableStatements {
public:
    TableStatements(const Database& database, SingleTableQuery query, std::vector<std::u16string> keyNames);

    bool isKeyed() const { return !keyNames_.empty(); }
    const std::vector<std::u16string>& keyNames() const { return keyNames_; }

    // SELECT list, keys FROM t WHERE 1 = 0: the columns without any row.
    std::u16string describe() const;
    // The keys of every row of the query, in its order (by key when it has none).
    std::u16string keys() const;
    // Whether the rows come in the order of a one-column key: no ORDER BY, or ORDER BY
    // that key, ascending. Such rows can be read by ranges of the key.
    bool isOrderedByKey() const;
    // SELECT count(*) of the query's rows, and a SELECT of them without any column,
    // for the database to estimate their number.
    std::u16string rowCount() const;
    std::u16string everyRow() const;
    // The shown columns and the key (or the key alone) of at most `limit` rows in the
    // key's order (or its reverse), skipping `offset` rows first; with a bound (">",
    // ">=", "<" or "<="), only the rows whose key stands so to the one "?".
    std::u16string keyRange(std::u16string_view bound, bool descending, size_t limit, int64_t offset,
                            bool keyOnly = false) const;
    // The shown columns and the keys of `count` rows given by their keys.
    std::u16string rowsByKeys(size_t count) const;
    // By key, and only while the field written still holds its original value (matched
    // as ValueMatch says, its parameters after the keys): a change someone else made
    // since the row was read is never overwritten.
    std::u16string updateByKey(const Column& column, const Field& original) const;
    // By key and every shown value the row had, matched as updateByValues does.
    std::u16string deleteByKey(const std::vector<Column>& columns, const Row& original) const;
    // Without a key a row is found by every shown value it had, each matched as
    // ValueMatch says.
    std::u16string updateByValues(std::u16string_view column, const std::vector<Column>& columns, const Row& original) const;
    std::u16string deleteByValues(const std::vector<Column>& columns, const Row& original) const;
    // INSERT INTO t DEFAULT VALUES, with RETURNING of the new row when asked.
    std::u16string insertDefaults(bool returning) const;
    // SQLite's way to read the row the last INSERT made.
    std::u16string lastInsertedRow() const;
    std::u16string deleteAll() const;

private:
    std::u16string shownWithKeys() const;
    std::u16string keyMatch() const;
    std::u16string valuesMatch(const std::vector<Column>& columns, const Row& original) const;

    const Database& database_;
    SingleTableQuery query_;
    std::vector<std::u16string> keyNames_;
};

}  // namespace grid::odbc
