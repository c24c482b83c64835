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
    // The shown columns and the keys of `count` rows given by their keys.
    std::u16string rowsByKeys(size_t count) const;
    std::u16string updateByKey(std::u16string_view column) const;
    std::u16string deleteByKey() const;
    // Without a key a row is found by every shown value it had; a NULL value is
    // matched with IS NULL and takes no parameter.
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
