#include "grid/provider/odbc/table_statements.h"

namespace grid::odbc {

TableStatements::TableStatements(const Database& database, SingleTableQuery query, std::vector<std::u16string> keyNames)
    : database_(database), query_(std::move(query)), keyNames_(std::move(keyNames)) {}

std::u16string TableStatements::shownWithKeys() const {
    std::u16string list = query_.selectList;
    for (const std::u16string& key : keyNames_) {
        list += u", " + database_.quoted(key);
    }
    return list;
}

std::u16string TableStatements::keyMatch() const {
    std::u16string match;
    for (const std::u16string& key : keyNames_) {
        match += (match.empty() ? u"" : u" AND ") + database_.quoted(key) + u" = ?";
    }
    return match;
}

std::u16string TableStatements::valuesMatch(const std::vector<Column>& columns, const Row& original) const {
    std::u16string match;
    for (size_t i = 0; i < columns.size(); ++i) {
        match += (match.empty() ? u"" : u" AND ") + database_.quoted(columns[i].name) + (original[i].isNull ? u" IS NULL" : u" = ?");
    }
    return match;
}

std::u16string TableStatements::describe() const {
    return u"SELECT " + shownWithKeys() + u" FROM " + query_.table + u" WHERE 1 = 0";
}

std::u16string TableStatements::keys() const {
    std::u16string list;
    for (const std::u16string& key : keyNames_) {
        list += (list.empty() ? u"" : u", ") + database_.quoted(key);
    }
    std::u16string sql = u"SELECT " + list + u" FROM " + query_.table;
    if (!query_.condition.empty()) {
        sql += u" WHERE (" + query_.condition + u")";
    }
    return sql + u" ORDER BY " + (query_.ordering.empty() ? list : query_.ordering);
}

std::u16string TableStatements::rowsByKeys(size_t count) const {
    std::u16string sql = u"SELECT " + shownWithKeys() + u" FROM " + query_.table + u" WHERE ";
    if (keyNames_.size() == 1) {
        sql += database_.quoted(keyNames_.front()) + u" IN (";
        for (size_t i = 0; i < count; ++i) {
            sql += i == 0 ? u"?" : u", ?";
        }
        return sql + u")";
    }
    for (size_t i = 0; i < count; ++i) {
        sql += (i == 0 ? u"(" : u" OR (") + keyMatch() + u")";
    }
    return sql;
}

std::u16string TableStatements::updateByKey(std::u16string_view column) const {
    return u"UPDATE " + query_.table + u" SET " + database_.quoted(column) + u" = ? WHERE " + keyMatch();
}

std::u16string TableStatements::deleteByKey() const { return u"DELETE FROM " + query_.table + u" WHERE " + keyMatch(); }

std::u16string TableStatements::updateByValues(std::u16string_view column, const std::vector<Column>& columns,
                                               const Row& original) const {
    return u"UPDATE " + query_.table + u" SET " + database_.quoted(column) + u" = ? WHERE " + valuesMatch(columns, original);
}

std::u16string TableStatements::deleteByValues(const std::vector<Column>& columns, const Row& original) const {
    return u"DELETE FROM " + query_.table + u" WHERE " + valuesMatch(columns, original);
}

std::u16string TableStatements::insertDefaults(bool returning) const {
    std::u16string sql = u"INSERT INTO " + query_.table + u" DEFAULT VALUES";
    return returning ? sql + u" RETURNING " + shownWithKeys() : sql;
}

std::u16string TableStatements::lastInsertedRow() const {
    return u"SELECT " + shownWithKeys() + u" FROM " + query_.table + u" WHERE rowid = last_insert_rowid()";
}

std::u16string TableStatements::deleteAll() const {
    std::u16string sql = u"DELETE FROM " + query_.table;
    return query_.condition.empty() ? sql : sql + u" WHERE (" + query_.condition + u")";
}

}  // namespace grid::odbc
