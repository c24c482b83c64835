#include "grid/provider/odbc/primary_key.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <algorithm>
#include <map>

#include "grid/provider/odbc/sql_text.h"
#include "grid/provider/odbc/statement.h"

namespace grid::odbc {

namespace {

std::u16string caseChanged(std::u16string name, bool upper) {
    for (char16_t& c : name) {
        if (upper && c >= u'a' && c <= u'z') {
            c = char16_t(c - u'a' + u'A');
        } else if (!upper && c >= u'A' && c <= u'Z') {
            c = char16_t(c - u'A' + u'a');
        }
    }
    return name;
}

// The spellings under which the catalog may keep a name: a quoted name exactly as
// written; an unquoted one also folded to lower case (PostgreSQL) and upper case (the
// SQL standard's folding).
std::vector<std::u16string> spellings(const SingleTableQuery::NamePart& part) {
    std::vector<std::u16string> result{part.name};
    if (!part.quoted) {
        for (bool upper : {false, true}) {
            std::u16string folded = caseChanged(part.name, upper);
            if (std::find(result.begin(), result.end(), folded) == result.end()) {
                result.push_back(folded);
            }
        }
    }
    return result;
}

std::vector<std::u16string> keyColumns(Database& database, const std::u16string* catalog, const std::u16string* schema,
                                       const std::u16string& table) {
    Statement statement(database);
    if (!statement.valid()) {
        return {};
    }
    auto text = [](const std::u16string* name) { return name ? sqlText(*name) : nullptr; };
    auto length = [](const std::u16string* name) { return name ? SQLSMALLINT(SQL_NTS) : SQLSMALLINT(0); };
    if (!SQL_SUCCEEDED(SQLPrimaryKeysW(statement.handle(), text(catalog), length(catalog), text(schema), length(schema),
                                       sqlText(table), SQL_NTS))) {
        return {};
    }
    std::map<int, std::u16string> bySequence;
    while (statement.fetch() == Statement::Fetched::row) {
        Field column;
        Field sequence;
        if (!statement.readField(4, column) || !statement.readField(5, sequence) || column.isNull) {
            return {};
        }
        int position = 0;
        for (char16_t c : sequence.text) {
            position = c >= u'0' && c <= u'9' ? position * 10 + (c - u'0') : position;
        }
        bySequence[position] = column.text;
    }
    std::vector<std::u16string> result;
    for (auto& [sequence, column] : bySequence) {
        result.push_back(std::move(column));
    }
    return result;
}

}  // namespace

std::vector<std::u16string> findPrimaryKey(Database& database, const SingleTableQuery& query) {
    const auto& parts = query.tableName;
    std::vector<std::u16string> tables = spellings(parts.back());
    std::vector<std::u16string> schemas;
    if (parts.size() >= 2) {
        schemas = spellings(parts[parts.size() - 2]);
    }
    const std::u16string* catalog = parts.size() == 3 ? &parts.front().name : nullptr;
    for (const std::u16string& table : tables) {
        if (schemas.empty()) {
            if (auto keys = keyColumns(database, catalog, nullptr, table); !keys.empty()) {
                return keys;
            }
            continue;
        }
        for (const std::u16string& schema : schemas) {
            if (auto keys = keyColumns(database, catalog, &schema, table); !keys.empty()) {
                return keys;
            }
        }
    }
    return {};
}

}  // namespace grid::odbc
