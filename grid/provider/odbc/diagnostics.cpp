#include "grid/provider/odbc/diagnostics.h"

#include <sqlucode.h>

#include <algorithm>
#include <vector>

#include "grid/provider/odbc/sql_text.h"

namespace grid::odbc {

bool isConnectionFailure(std::u16string_view sqlState) {
    return sqlState.starts_with(u"08") || sqlState.starts_with(u"57P");
}

Diagnostics readDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle) {
    Diagnostics result;
    if (handle == SQL_NULL_HANDLE) {
        return result;
    }
    std::vector<char16_t> message(1024);
    for (SQLSMALLINT record = 1;; ++record) {
        SQLWCHAR state[6] = {};
        SQLINTEGER nativeError = 0;
        SQLSMALLINT length = 0;
        SQLRETURN status = SQLGetDiagRecW(handleType, handle, record, state, &nativeError,
                                          sqlBuffer(message.data()), SQLSMALLINT(message.size()), &length);
        if (status == SQL_SUCCESS_WITH_INFO && size_t(length) >= message.size()) {
            // The message did not fit: ask for the same record again with room for it.
            message.resize(size_t(length) + 1);
            --record;
            continue;
        }
        if (!SQL_SUCCEEDED(status)) {
            break;
        }
        if (isConnectionFailure(asText(state, 5))) {
            result.connectionLost = true;
        }
        // The length a driver reports can count bytes rather than characters (the
        // PostgreSQL driver's does for some messages); the message ends at its NUL.
        std::u16string_view text(message.data(), std::min(size_t(std::max<SQLSMALLINT>(length, 0)), message.size()));
        text = text.substr(0, text.find(u'\0'));
        while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r')) {
            text.remove_suffix(1);
        }
        if (text.empty() || result.message.find(text) != std::u16string::npos) {
            continue;
        }
        if (!result.message.empty()) {
            result.message += u'\n';
        }
        result.message += text;
    }
    return result;
}

}  // namespace grid::odbc
