#pragma once

#include <sql.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/field.h"
#include "grid/provider/odbc/odbc_handle.h"

namespace grid::odbc {

// A value bound to one "?" of a statement: always passed as UTF-16 text, declared with
// the SQL type of the column it meets so that the driver converts it the way the
// database expects (an integer column gets an integer, a date column a date).
struct Parameter {
    std::u16string text;
    bool isNull = false;
    int16_t sqlType = 0;
    uint64_t size = 0;
    int16_t decimalDigits = 0;

    static Parameter of(const Field& field, const Column& column);
};

// One statement handle on a database. A failing call leaves the driver's message in
// the database's lastError() and marks the database lost when the connection failed.
class Statement {
public:
    explicit Statement(Database& database);

    bool valid() const { return static_cast<bool>(handle_); }
    // Asks for a cursor that can jump to any row (SQLFetchScroll with SQL_FETCH_ABSOLUTE).
    bool useStaticCursor();
    bool execute(std::u16string_view sql, const std::vector<Parameter>& parameters = {});
    bool describeColumns(std::vector<Column>& columns);

    enum class Fetched { row, end, failed };
    Fetched fetch();
    // Positions a static cursor on the row at a 0-based position.
    Fetched fetchAt(int64_t position);

    // Reads the first fieldCount columns of the current row.
    bool readRow(Row& row, size_t fieldCount);
    bool readField(SQLUSMALLINT column, Field& field);
    // The number of rows an UPDATE, DELETE or INSERT changed.
    std::optional<int64_t> changedRows();

    SQLHSTMT handle() const { return handle_.get(); }
    Database& database() const { return database_; }
    // Records the driver's message for the last call on this statement; always false.
    bool fail();

private:
    Database& database_;
    OdbcHandle handle_;
};

}  // namespace grid::odbc
