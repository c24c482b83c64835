#pragma once

#include <sql.h>

#include <string>
#include <string_view>

namespace grid::odbc {

// What the driver and the driver manager said about the last call on a handle.
struct Diagnostics {
    // The message of every diagnostic record, one per line, as the driver wrote it.
    std::u16string message;
    // A record's SQLSTATE said that the connection to the server is gone.
    bool connectionLost = false;
};

Diagnostics readDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle);

// Class 08 is the connection exception class of SQLSTATEs (08S01 communication link
// failure, 08003 connection not open, 08006 connection failure, ...). PostgreSQL's
// class 57P (its server shut down or restarted) ends the connection too; psqlODBC
// passes those states through.
bool isConnectionFailure(std::u16string_view sqlState);

}  // namespace grid::odbc
