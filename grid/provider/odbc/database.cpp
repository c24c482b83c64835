#include "grid/provider/odbc/database.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <clocale>
#include <langinfo.h>
#include <string_view>
#include <vector>

#include "grid/provider/odbc/connection_text.h"
#include "grid/provider/odbc/diagnostics.h"
#include "grid/provider/odbc/sql_text.h"
#include "grid/provider/odbc/utf8_text.h"

namespace grid::odbc {

namespace {

// For a driver that has only the narrow interface (the SQLite driver) the driver
// manager converts every text between UTF-16 and the character set of the process's
// locale, while such drivers read and write UTF-8: under the C locale a Chinese name
// would reach SQLite as garbage. Qt switches a locale that is not UTF-8 to C.UTF-8 for
// its own reasons; a process without Qt gets the same here, before connecting.
void useUtf8Characters() {
    std::string_view codeset = nl_langinfo(CODESET);
    if (codeset != "UTF-8") {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }
}

}  // namespace

Database::Database(const TextCodec& codec) : codec_(codec) {}

Database::~Database() { close(); }

bool Database::open(std::string_view connection) { return openText(codec_.toUtf16(connection)); }

bool Database::reconnect() {
    if (completedText_.empty()) {
        noteFailure(std::string("没有打开过数据库，无法重新连接。"));
        return false;
    }
    std::u16string text = completedText_;
    return openText(text);
}

bool Database::openText(const std::u16string& connection) {
    lastError_.clear();
    useUtf8Characters();
    OdbcHandle environment = OdbcHandle::allocate(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    if (!environment ||
        !SQL_SUCCEEDED(SQLSetEnvAttr(environment.get(), SQL_ATTR_ODBC_VERSION, SQLPOINTER(SQL_OV_ODBC3), 0))) {
        noteFailure(std::string("无法初始化 ODBC 驱动程序管理器。"));
        return false;
    }
    OdbcHandle connectionHandle = OdbcHandle::allocate(SQL_HANDLE_DBC, environment.get());
    if (!connectionHandle) {
        noteFailure(SQL_HANDLE_ENV, environment.get());
        return false;
    }
    // Connecting goes through the narrow interface in UTF-8: for a driver that has only
    // that interface (the SQLite driver) the driver manager cuts every character of a
    // wide connection text to its low byte, so a file "数据.db" would be looked for as
    // "pn.db". Both drivers read a narrow connection text as UTF-8.
    std::string text = toUtf8(connection);
    std::vector<char> completed(8192);
    SQLSMALLINT completedLength = 0;
    SQLRETURN status = SQLDriverConnect(connectionHandle.get(), nullptr, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS,
                                        reinterpret_cast<SQLCHAR*>(completed.data()), SQLSMALLINT(completed.size()),
                                        &completedLength, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(status)) {
        Diagnostics diagnostics = readDiagnostics(SQL_HANDLE_DBC, connectionHandle.get());
        lastError_ = diagnostics.message.empty() ? std::string("无法连接数据库。") : codec_.toGbk(diagnostics.message);
        return false;
    }
    close();
    environment_ = std::move(environment);
    connection_ = std::move(connectionHandle);
    // A completed text longer than the buffer is cut; the given text then serves.
    std::string_view reported(completed.data(), size_t(completedLength) < completed.size() ? size_t(completedLength) : 0);
    completedText_ = reopenableText(fromUtf8(reported), connection);
    connectString_ = codec_.toGbk(completedText_);
    identifierQuote_ = information(SQL_IDENTIFIER_QUOTE_CHAR);
    if (identifierQuote_ == u" ") {
        identifierQuote_.clear();
    }
    std::u16string dbms = information(SQL_DBMS_NAME);
    sqlite_ = dbms == u"SQLite";
    postgres_ = dbms == u"PostgreSQL";
    limitClause_ = sqlite_ || postgres_ || dbms == u"MySQL";
    return true;
}

void Database::close() {
    if (connection_) {
        SQLDisconnect(connection_.get());
        connection_.reset();
    }
    environment_.reset();
    connectString_.clear();
    lost_ = false;
}

void Database::noteFailure(SQLSMALLINT handleType, SQLHANDLE handle) {
    Diagnostics diagnostics = readDiagnostics(handleType, handle);
    SQLUINTEGER dead = SQL_CD_FALSE;
    if (connection_ && SQL_SUCCEEDED(SQLGetConnectAttr(connection_.get(), SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr)) &&
        dead == SQL_CD_TRUE) {
        diagnostics.connectionLost = true;
    }
    if (diagnostics.connectionLost) {
        lost_ = true;
    }
    lastError_ = diagnostics.message.empty() ? std::string("数据库操作失败，驱动程序没有说明原因。")
                                             : codec_.toGbk(diagnostics.message);
}

std::u16string Database::quoted(std::u16string_view identifier) const {
    if (identifierQuote_.empty()) {
        return std::u16string(identifier);
    }
    std::u16string result = identifierQuote_;
    for (char16_t c : identifier) {
        result += c;
        if (std::u16string_view(&c, 1) == identifierQuote_) {
            result += c;
        }
    }
    return result + identifierQuote_;
}

std::u16string Database::information(SQLUSMALLINT type) const {
    char16_t buffer[256] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfoW(connection_.get(), type, buffer, sizeof buffer, &length))) {
        return {};
    }
    size_t characters = size_t(length) / sizeof(char16_t);
    return std::u16string(buffer, characters < 256 ? characters : 255);
}

}  // namespace grid::odbc
