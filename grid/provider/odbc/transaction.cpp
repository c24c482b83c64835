#include "grid/provider/odbc/transaction.h"

#include <sqlext.h>

namespace grid::odbc {

Transaction::Transaction(Database& database) : database_(database) {
    if (!database.alive()) {
        return;
    }
    started_ = SQL_SUCCEEDED(SQLSetConnectAttr(database.handle(), SQL_ATTR_AUTOCOMMIT, SQLPOINTER(SQL_AUTOCOMMIT_OFF), 0));
    if (!started_) {
        database.noteFailure(SQL_HANDLE_DBC, database.handle());
    }
}

Transaction::~Transaction() {
    if (!started_) {
        return;
    }
    if (!finished_) {
        SQLEndTran(SQL_HANDLE_DBC, database_.handle(), SQL_ROLLBACK);
    }
    SQLSetConnectAttr(database_.handle(), SQL_ATTR_AUTOCOMMIT, SQLPOINTER(SQL_AUTOCOMMIT_ON), 0);
}

bool Transaction::commit() {
    if (!started_ || finished_) {
        return false;
    }
    if (!SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, database_.handle(), SQL_COMMIT))) {
        database_.noteFailure(SQL_HANDLE_DBC, database_.handle());
        return false;
    }
    finished_ = true;
    return true;
}

}  // namespace grid::odbc
