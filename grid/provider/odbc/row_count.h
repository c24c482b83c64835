#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/statement.h"

namespace grid::odbc {

// The number a SELECT count(*) gives; nothing when it failed (the database holds the
// message).
std::optional<int64_t> countRows(Database& database, std::u16string_view countQuery);
std::optional<int64_t> countRows(Statement& counter, std::u16string_view countQuery);

// The number of rows the database's planner expects a SELECT to give, read from its
// EXPLAIN: PostgreSQL only, and nothing where there is none. Cheap whatever the table's
// size, and only an estimate.
std::optional<int64_t> estimatedRows(Database& database, std::u16string_view query);

}  // namespace grid::odbc
