#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/field.h"
#include "grid/provider/odbc/row_source.h"
#include "grid/provider/odbc/statement.h"
#include "grid/provider/odbc/table_statements.h"

namespace grid::odbc {

// A query on a database opened for modification: its columns, its rows by position,
// and the writes that go back into its table.
//
// How rows are reached: a query of one table with a primary key reads all keys once and
// fetches blocks of rows by key (KeysetRows); any other query goes through the driver's
// static cursor (CursorRows). Either way only a bounded number of blocks is held.
// What can be written: a query of one table (SELECT * or plain column names FROM one
// table, optionally WHERE and ORDER BY). With a primary key a row is written by its
// key; without one by all its original values, inside a transaction that is rolled
// back unless exactly one row changed. Every value is a bound parameter.
//
// Every failure returns false (or nothing) and leaves the driver's message, or one of
// ours, in lastError(), in GBK. Positions and columns count from 0.
class RecordSet {
public:
    explicit RecordSet(Database& database);
    ~RecordSet();
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;

    // The query as the database is to run it ("select * from t", not a bare table name);
    // one trailing ";" is ignored.
    bool open(std::string_view query);
    void close();
    bool isOpen() const { return static_cast<bool>(rows_); }
    // Runs the same query again; what was cached is forgotten.
    bool reopen();
    // After the connection was lost: opens the database again with its completed
    // connection text, then the query.
    bool reconnect();
    bool isWritable() const { return table_.has_value(); }

    int32_t recordCount() const;
    int32_t columnCount() const { return int32_t(columns_.size()); }
    // Name, SQL type code (SQLDescribeColW) and display width (SQL_DESC_DISPLAY_SIZE) of
    // a column; empty or 0 for a column that is not there.
    std::string columnName(int32_t column) const;
    int16_t sqlType(int32_t column) const;
    int32_t displayWidth(int32_t column) const;

    // A NULL field reads as the empty text.
    std::optional<std::string> fieldText(int32_t row, int32_t column);
    // An empty text writes NULL, except into a character column, which gets the empty
    // text. When the database refuses, the row keeps the database's value.
    bool setFieldText(int32_t row, int32_t column, std::string_view text);
    // Inserts a row of the table's defaults; it is shown after the last row.
    bool appendBlank();
    bool remove(int32_t row);
    // Deletes every row of the query from its table.
    bool zap();

    const std::string& lastError() const { return database_.lastError(); }

private:
    bool openRows();
    bool checkRow(int32_t row) const;
    bool checkWritable() const;
    bool changeKeyedRow(int32_t row, int32_t column, const Field& value, const Row& original);
    bool changeRowByValues(int32_t row, int32_t column, const Field& value, const Row& original);
    bool removeRowByValues(int32_t row, const Row& original);
    std::optional<Row> readBackByKey(const Row& keyRow);
    std::vector<Parameter> keyParameters(const Row& row) const;
    std::vector<Parameter> valueParameters(const Row& original) const;
    bool fetchNewRow(Statement& statement, Row& row);

    Database& database_;
    std::u16string query_;
    std::vector<Column> columns_;
    std::vector<Column> keyColumns_;
    std::optional<TableStatements> table_;
    std::unique_ptr<RowSource> rows_;
};

}  // namespace grid::odbc
