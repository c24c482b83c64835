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
// How rows are reached: a query of one table with a one-column primary key, in the
// key's order, reads blocks of rows by ranges of the key (KeyRangeRows); in another
// order it reads all keys once and fetches blocks of rows by key (KeysetRows); any
// other query goes through the driver's static cursor (CursorRows). Each holds only
// a bounded number of blocks.
// What can be written: a query of one table (SELECT * or plain column names FROM one
// table, optionally WHERE and ORDER BY). A write finds its record by the row as it was
// read, never by its position: by its primary key and the original value of the field
// written (or, for a removal, of every shown field), or without a key by all its
// original values. So a record that someone else changed since it was read is not
// overwritten: the write is refused and the row shows the database's values. Each
// write runs in a transaction that is committed only when exactly one row changed.
// Every value is a bound parameter.
//
// A write after the connection was lost takes the rows it needs as they were read,
// opens the connection again, writes, and then reads the rows again, as their order
// may have changed meanwhile; shownAgain() tells the views.
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
    bool isWritable() const { return table_.has_value(); }

    int32_t recordCount() const;
    // A table of millions of rows in the order of its key may be opened with the
    // database's estimate of its rows, as counting them takes seconds: the caller then
    // counts them on a connection of its own with countQuery() and hands the number to
    // settleCount(), after which every row is read again.
    void allowEstimatedCount(bool allowed) { estimateAllowed_ = allowed; }
    bool isCountEstimated() const { return rows_ && rows_->isCountEstimated(); }
    std::u16string countQuery() const { return table_ ? table_->rowCount() : std::u16string(); }
    void settleCount(int64_t rows);
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
    // Stops at the first row the database refuses; the rows before it are gone.
    bool removeRows(int32_t first, int32_t count);
    // Deletes every row of the query from its table.
    bool zap();

    // What the views must show again since the last write began: nothing, the row
    // `row` (whose record someone else changed), or every row (read again).
    enum class ShownAgain { nothing, row, allRows };
    ShownAgain shownAgain(int32_t& row) const {
        row = shownAgainRow_;
        return shownAgain_;
    }

    const std::string& lastError() const { return database_.lastError(); }

private:
    // How one try at writing a record went.
    enum class Outcome { written, changedByOthers, notFound, failed };
    enum class Found { row, none, failed };

    bool openRows();
    bool loadKeyedRows();
    bool checkRow(int32_t row) const;
    bool checkWritable();
    std::optional<std::vector<Row>> rowsAsRead(int32_t first, int32_t count);
    template <typename Attempt>
    Outcome tryOnLiveConnection(Attempt attempt);
    void finishWrite(bool readAgain);
    Outcome changeField(const Row& original, int32_t column, const Field& value, Row& shown);
    Outcome removeRecord(const Row& original, Row& shown);
    Outcome notOneRow(std::optional<int64_t> changed, const Row& original, Row& shown, const char* identicalRows);
    Found readByKey(const Row& keyRow, Row& row);
    std::vector<Parameter> keyParameters(const Row& row) const;
    std::vector<Parameter> valueParameters(const Row& original) const;
    bool fetchNewRow(Statement& statement, Row& row);

    Database& database_;
    std::u16string query_;
    std::vector<Column> columns_;
    std::vector<Column> keyColumns_;
    std::optional<TableStatements> table_;
    std::unique_ptr<RowSource> rows_;
    ShownAgain shownAgain_ = ShownAgain::nothing;
    int32_t shownAgainRow_ = 0;
    bool reconnected_ = false;
    bool estimateAllowed_ = false;
};

}  // namespace grid::odbc
