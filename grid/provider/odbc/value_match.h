#pragma once

#include <string>
#include <vector>

#include "grid/provider/odbc/field.h"
#include "grid/provider/odbc/statement.h"

namespace grid::odbc {

// How a write recognises the value a field had when it was read. NULL is matched with
// IS NULL; an approximate number (REAL, FLOAT, DOUBLE) within a hair of the value read,
// because a driver may give it with fewer digits than it holds (the SQLite driver's
// 0.333333333333333 for 1/3) and "=" would then never find it again; any other value
// with "=".
struct ValueMatch {
    // The condition on the quoted column name, with its "?"s.
    static std::u16string condition(const std::u16string& quotedName, const Field& original, const Column& column);
    // The parameters for those "?"s, in order.
    static void appendParameters(std::vector<Parameter>& parameters, const Field& original, const Column& column);
};

}  // namespace grid::odbc
