#pragma once

#include <string>
#include <vector>

#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/single_table_query.h"

namespace grid::odbc {

// The primary-key columns of the query's table in key order (SQLPrimaryKeysW); empty
// when it has none or the driver cannot say.
std::vector<std::u16string> findPrimaryKey(Database& database, const SingleTableQuery& query);

}  // namespace grid::odbc
