#pragma once

#include <vector>

#include "grid/provider/odbc/field.h"
#include "grid/provider/odbc/key_list.h"
#include "grid/provider/odbc/statement.h"

namespace grid::odbc {

// Reads the key values of an executed key query into keys, many rows per fetch
// (a block cursor with column-wise bound buffers): a million keys in a fraction of a
// second, where fetching them one row at a time takes several times as long.
bool readKeys(Statement& statement, const std::vector<Column>& keyColumns, KeyList& keys);

}  // namespace grid::odbc
