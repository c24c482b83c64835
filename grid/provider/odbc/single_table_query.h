#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace grid::odbc {

// A query that shows the rows of one table and nothing else, so that its rows can be
// written back: SELECT * or a list of plain column names, FROM one table (no alias),
// optionally WHERE and ORDER BY. Every other query is only read.
struct SingleTableQuery {
    struct NamePart {
        std::u16string name;
        bool quoted = false;
    };

    std::u16string selectList;        // as written: "*" or the column names
    std::u16string table;             // as written, perhaps with its schema
    std::vector<NamePart> tableName;  // [catalog.][schema.]name, quotes removed
    std::u16string condition;         // after WHERE, as written; empty without WHERE
    std::u16string ordering;          // after ORDER BY, as written; empty without
};

std::optional<SingleTableQuery> parseSingleTableQuery(std::u16string_view sql);

}  // namespace grid::odbc
