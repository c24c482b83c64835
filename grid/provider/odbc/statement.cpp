#include "grid/provider/odbc/statement.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <algorithm>

#include "grid/provider/odbc/sql_text.h"
#include "grid/provider/odbc/sql_types.h"

namespace grid::odbc {

Parameter Parameter::of(const Field& field, const Column& column) {
    return {field.text, field.isNull, column.sqlType, column.size, column.decimalDigits};
}

Statement::Statement(Database& database) : database_(database) {
    if (database.isOpen()) {
        handle_ = OdbcHandle::allocate(SQL_HANDLE_STMT, database.handle());
        if (!handle_) {
            database.noteFailure(SQL_HANDLE_DBC, database.handle());
        }
    } else {
        database.noteFailure(std::string("没有打开数据库。"));
    }
}

bool Statement::fail() {
    database_.noteFailure(SQL_HANDLE_STMT, handle_.get());
    return false;
}

bool Statement::useStaticCursor() {
    return valid() &&
           (SQL_SUCCEEDED(SQLSetStmtAttr(handle_.get(), SQL_ATTR_CURSOR_TYPE, SQLPOINTER(SQL_CURSOR_STATIC), 0)) || fail());
}

bool Statement::execute(std::u16string_view sql, const std::vector<Parameter>& parameters) {
    if (!valid()) {
        return false;
    }
    static const char16_t empty[1] = {};
    std::vector<SQLLEN> lengths(parameters.size());
    for (size_t i = 0; i < parameters.size(); ++i) {
        const Parameter& parameter = parameters[i];
        lengths[i] = parameter.isNull ? SQL_NULL_DATA : SQLLEN(parameter.text.size() * sizeof(char16_t));
        // A character column is declared at least as long as the text, so that a text
        // that is too long reaches the database (which refuses it) instead of being cut
        // by the driver.
        uint64_t size = parameter.size;
        if (isCharacterType(parameter.sqlType) || size == 0) {
            size = std::max<uint64_t>({size, parameter.text.size(), 1});
        }
        const char16_t* data = parameter.text.empty() ? empty : parameter.text.data();
        SQLRETURN status = SQLBindParameter(handle_.get(), SQLUSMALLINT(i + 1), SQL_PARAM_INPUT, SQL_C_WCHAR,
                                            parameter.sqlType ? parameter.sqlType : SQL_WVARCHAR, SQLULEN(size),
                                            parameter.decimalDigits, SQLPOINTER(data),
                                            SQLLEN(parameter.text.size() * sizeof(char16_t)), &lengths[i]);
        if (!SQL_SUCCEEDED(status)) {
            return fail();
        }
    }
    // Texts go with a terminator and SQL_NTS: on the way to the SQLite driver (narrow
    // interface only) a given length is taken as a count of UTF-8 bytes, which cuts a
    // text holding Chinese characters short.
    std::u16string terminated(sql);
    SQLRETURN status = SQLExecDirectW(handle_.get(), sqlText(terminated), SQL_NTS);
    bool succeeded = SQL_SUCCEEDED(status) || status == SQL_NO_DATA;
    if (!succeeded) {
        fail();
    }
    // The bound buffers live only for this call.
    SQLFreeStmt(handle_.get(), SQL_RESET_PARAMS);
    return succeeded;
}

bool Statement::describeColumns(std::vector<Column>& columns) {
    columns.clear();
    SQLSMALLINT count = 0;
    if (!SQL_SUCCEEDED(SQLNumResultCols(handle_.get(), &count))) {
        return fail();
    }
    for (SQLUSMALLINT i = 1; i <= SQLUSMALLINT(count); ++i) {
        char16_t name[512] = {};
        SQLSMALLINT nameLength = 0;
        SQLSMALLINT type = 0;
        SQLULEN size = 0;
        SQLSMALLINT digits = 0;
        SQLSMALLINT nullable = 0;
        if (!SQL_SUCCEEDED(SQLDescribeColW(handle_.get(), i, sqlBuffer(name), 512, &nameLength, &type, &size, &digits,
                                           &nullable))) {
            return fail();
        }
        SQLLEN displaySize = 0;
        SQLColAttributeW(handle_.get(), i, SQL_DESC_DISPLAY_SIZE, nullptr, 0, nullptr, &displaySize);
        // For the SQLite driver the length reported is that of the name's UTF-8 form;
        // the terminator is where the name really ends.
        std::u16string_view described(name, std::min<size_t>(size_t(std::max<SQLSMALLINT>(nameLength, 0)), 511));
        columns.push_back({std::u16string(described.substr(0, described.find(u'\0'))), type, uint64_t(size), digits,
                           int64_t(displaySize)});
    }
    return true;
}

Statement::Fetched Statement::fetch() {
    SQLRETURN status = SQLFetch(handle_.get());
    if (status == SQL_NO_DATA) {
        return Fetched::end;
    }
    return SQL_SUCCEEDED(status) || fail() ? Fetched::row : Fetched::failed;
}

Statement::Fetched Statement::fetchAt(int64_t position) {
    SQLRETURN status = SQLFetchScroll(handle_.get(), SQL_FETCH_ABSOLUTE, SQLLEN(position + 1));
    if (status == SQL_NO_DATA) {
        return Fetched::end;
    }
    return SQL_SUCCEEDED(status) || fail() ? Fetched::row : Fetched::failed;
}

bool Statement::readRow(Row& row, size_t fieldCount) {
    row.resize(fieldCount);
    for (size_t i = 0; i < fieldCount; ++i) {
        if (!readField(SQLUSMALLINT(i + 1), row[i])) {
            return false;
        }
    }
    return true;
}

bool Statement::readField(SQLUSMALLINT column, Field& field) {
    field.text.clear();
    field.isNull = false;
    char16_t buffer[2048];
    const size_t capacity = sizeof buffer / sizeof buffer[0];
    for (;;) {
        SQLLEN length = 0;
        SQLRETURN status = SQLGetData(handle_.get(), column, SQL_C_WCHAR, buffer, sizeof buffer, &length);
        if (status == SQL_NO_DATA) {
            return true;
        }
        if (!SQL_SUCCEEDED(status)) {
            return fail();
        }
        if (length == SQL_NULL_DATA) {
            field.isNull = true;
            return true;
        }
        // A long value comes in pieces: each full buffer ends in a terminator.
        bool truncated = status == SQL_SUCCESS_WITH_INFO && (length == SQL_NO_TOTAL || size_t(length) >= sizeof buffer);
        size_t characters = truncated ? capacity - 1 : std::min(size_t(length) / sizeof(char16_t), capacity - 1);
        field.text.append(buffer, characters);
        if (!truncated) {
            return true;
        }
    }
}

std::optional<int64_t> Statement::changedRows() {
    SQLLEN count = 0;
    if (!SQL_SUCCEEDED(SQLRowCount(handle_.get(), &count))) {
        fail();
        return std::nullopt;
    }
    return int64_t(count);
}

}  // namespace grid::odbc
