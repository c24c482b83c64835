#pragma once

#include "grid/provider/odbc/database.h"

namespace grid::odbc {

// Runs the statements made while it lives in one transaction: commit() keeps them,
// leaving without commit() rolls them back. Autocommit is on again afterwards.
class Transaction {
public:
    explicit Transaction(Database& database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool started() const { return started_; }
    bool commit();

private:
    Database& database_;
    bool started_ = false;
    bool finished_ = false;
};

}  // namespace grid::odbc
