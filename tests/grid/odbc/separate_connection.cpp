#include "tests/grid/odbc/separate_connection.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <clocale>

namespace {

SQLWCHAR* wide(std::u16string_view text) { return reinterpret_cast<SQLWCHAR*>(const_cast<char16_t*>(text.data())); }

std::u16string messageOf(SQLSMALLINT type, SQLHANDLE handle) {
    SQLWCHAR state[6];
    SQLWCHAR message[2048];
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetDiagRecW(type, handle, 1, state, &native, message, 2048, &length))) {
        return u"(no message)";
    }
    return std::u16string(reinterpret_cast<const char16_t*>(message), size_t(length < 2048 ? length : 2047));
}

}  // namespace

SeparateConnection::SeparateConnection(std::u16string_view connection) {
    // As in the editor (Qt insists on it) the character set is UTF-8, which the driver
    // manager uses for the SQLite driver's narrow interface.
    std::setlocale(LC_CTYPE, "C.UTF-8");
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment_);
    SQLSetEnvAttr(environment_, SQL_ATTR_ODBC_VERSION, SQLPOINTER(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, environment_, &connection_);
    if (!SQL_SUCCEEDED(SQLDriverConnectW(connection_, nullptr, wide(std::u16string(connection)), SQL_NTS, nullptr, 0,
                                         nullptr, SQL_DRIVER_NOPROMPT))) {
        SQLFreeHandle(SQL_HANDLE_DBC, connection_);
        connection_ = SQL_NULL_HDBC;
    }
}

SeparateConnection::~SeparateConnection() {
    if (connection_ != SQL_NULL_HDBC) {
        SQLDisconnect(connection_);
        SQLFreeHandle(SQL_HANDLE_DBC, connection_);
    }
    SQLFreeHandle(SQL_HANDLE_ENV, environment_);
}

std::u16string SeparateConnection::execute(std::u16string_view sql) {
    if (!isOpen()) {
        return u"not connected";
    }
    SQLHSTMT statement = SQL_NULL_HSTMT;
    SQLAllocHandle(SQL_HANDLE_STMT, connection_, &statement);
    SQLRETURN status = SQLExecDirectW(statement, wide(std::u16string(sql)), SQL_NTS);
    std::u16string message = SQL_SUCCEEDED(status) || status == SQL_NO_DATA ? u"" : messageOf(SQL_HANDLE_STMT, statement);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return message;
}

std::optional<std::u16string> SeparateConnection::value(std::u16string_view sql) {
    if (!isOpen()) {
        return std::nullopt;
    }
    SQLHSTMT statement = SQL_NULL_HSTMT;
    SQLAllocHandle(SQL_HANDLE_STMT, connection_, &statement);
    std::optional<std::u16string> result;
    if (SQL_SUCCEEDED(SQLExecDirectW(statement, wide(std::u16string(sql)), SQL_NTS)) && SQL_SUCCEEDED(SQLFetch(statement))) {
        char16_t buffer[4096];
        SQLLEN length = 0;
        if (SQL_SUCCEEDED(SQLGetData(statement, 1, SQL_C_WCHAR, buffer, sizeof buffer, &length)) && length != SQL_NULL_DATA) {
            result = std::u16string(buffer, size_t(length) / sizeof(char16_t));
        }
    }
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return result;
}
