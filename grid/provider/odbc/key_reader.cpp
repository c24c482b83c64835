#include "grid/provider/odbc/key_reader.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace grid::odbc {

namespace {

// Room for any number's text even where the driver reports a narrow display size.
constexpr int64_t minimumKeyCharacters = 40;
constexpr int64_t maximumKeyCharacters = 8192;
constexpr size_t bufferBytes = size_t(1) << 20;
constexpr size_t maximumRowsPerFetch = 1000;

struct BoundColumn {
    size_t characters;
    std::vector<char16_t> buffer;
    std::vector<SQLLEN> lengths;
};

}  // namespace

bool readKeys(Statement& statement, const std::vector<Column>& keyColumns, KeyList& keys) {
    std::vector<BoundColumn> columns;
    size_t rowBytes = 0;
    for (const Column& column : keyColumns) {
        size_t characters = size_t(std::clamp(column.displaySize, minimumKeyCharacters, maximumKeyCharacters) + 1);
        columns.push_back({characters, {}, {}});
        rowBytes += characters * sizeof(char16_t);
    }
    size_t rowsPerFetch = std::clamp<size_t>(bufferBytes / rowBytes, 1, maximumRowsPerFetch);
    SQLHSTMT handle = statement.handle();
    SQLULEN fetched = 0;
    std::vector<SQLUSMALLINT> statuses(rowsPerFetch);
    if (!SQL_SUCCEEDED(SQLSetStmtAttr(handle, SQL_ATTR_ROW_BIND_TYPE, SQLPOINTER(SQL_BIND_BY_COLUMN), 0)) ||
        !SQL_SUCCEEDED(SQLSetStmtAttr(handle, SQL_ATTR_ROW_ARRAY_SIZE, SQLPOINTER(rowsPerFetch), 0)) ||
        !SQL_SUCCEEDED(SQLSetStmtAttr(handle, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0)) ||
        !SQL_SUCCEEDED(SQLSetStmtAttr(handle, SQL_ATTR_ROW_STATUS_PTR, statuses.data(), 0))) {
        return statement.fail();
    }
    for (size_t i = 0; i < columns.size(); ++i) {
        BoundColumn& column = columns[i];
        column.buffer.resize(column.characters * rowsPerFetch);
        column.lengths.resize(rowsPerFetch);
        if (!SQL_SUCCEEDED(SQLBindCol(handle, SQLUSMALLINT(i + 1), SQL_C_WCHAR, column.buffer.data(),
                                      SQLLEN(column.characters * sizeof(char16_t)), column.lengths.data()))) {
            return statement.fail();
        }
    }
    std::vector<std::u16string_view> values(columns.size());
    for (;;) {
        SQLRETURN status = SQLFetch(handle);
        if (status == SQL_NO_DATA) {
            break;
        }
        if (!SQL_SUCCEEDED(status)) {
            return statement.fail();
        }
        for (size_t row = 0; row < fetched; ++row) {
            if (statuses[row] != SQL_ROW_SUCCESS && statuses[row] != SQL_ROW_SUCCESS_WITH_INFO) {
                continue;
            }
            for (size_t i = 0; i < columns.size(); ++i) {
                const BoundColumn& column = columns[i];
                SQLLEN length = column.lengths[row];
                size_t characters = length == SQL_NULL_DATA ? 0 : size_t(length) / sizeof(char16_t);
                if (length == SQL_NO_TOTAL || characters >= column.characters) {
                    statement.database().noteFailure(std::string("主键的值太长，无法按主键读取这个表。"));
                    return false;
                }
                values[i] = std::u16string_view(column.buffer.data() + row * column.characters, characters);
            }
            if (!keys.append(values)) {
                statement.database().noteFailure(std::string("表的行太多，无法全部显示。"));
                return false;
            }
        }
    }
    SQLFreeStmt(handle, SQL_UNBIND);
    return true;
}

}  // namespace grid::odbc
