#include "grid/provider/odbc/table_statements.h"

#include "grid/provider/odbc/value_match.h"

#include <algorithm>
#include <string>

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
        match += (match.empty() ? u"" : u" AND ") + ValueMatch::condition(database_.quoted(columns[i].name), original[i], columns[i]);
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

namespace {

char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; }

bool sameName(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

std::u16string_view trimmed(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t' || text.front() == u'\n' || text.front() == u'\r')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t' || text.back() == u'\n' || text.back() == u'\r')) {
        text.remove_suffix(1);
    }
    return text;
}

std::u16string decimalText(int64_t value) {
    std::u16string text;
    for (char c : std::to_string(value)) {
        text += char16_t(c);
    }
    return text;
}

}  // namespace

bool TableStatements::isOrderedByKey() const {
    if (keyNames_.size() != 1) {
        return false;
    }
    std::u16string_view ordering = trimmed(query_.ordering);
    if (ordering.empty()) {
        return true;
    }
    if (ordering.size() > 4 && sameName(ordering.substr(ordering.size() - 4), u" asc")) {
        ordering = trimmed(ordering.substr(0, ordering.size() - 4));
    }
    const std::u16string& key = keyNames_.front();
    if (ordering.size() >= 2 && ordering.front() == u'"' && ordering.back() == u'"') {
        return ordering.substr(1, ordering.size() - 2) == key;
    }
    return sameName(ordering, key);
}

std::u16string TableStatements::rowCount() const {
    std::u16string sql = u"SELECT count(*) FROM " + query_.table;
    return query_.condition.empty() ? sql : sql + u" WHERE (" + query_.condition + u")";
}

std::u16string TableStatements::everyRow() const {
    std::u16string sql = u"SELECT 1 FROM " + query_.table;
    return query_.condition.empty() ? sql : sql + u" WHERE (" + query_.condition + u")";
}

std::u16string TableStatements::keyRange(std::u16string_view bound, bool descending, size_t limit, int64_t offset,
                                         bool keyOnly) const {
    std::u16string key = database_.quoted(keyNames_.front());
    std::u16string sql = u"SELECT " + (keyOnly ? key : shownWithKeys()) + u" FROM " + query_.table;
    std::u16string condition = query_.condition.empty() ? u"" : u"(" + query_.condition + u")";
    if (!bound.empty()) {
        condition += (condition.empty() ? u"" : u" AND ") + key + u" " + std::u16string(bound) + u" ?";
    }
    if (!condition.empty()) {
        sql += u" WHERE " + condition;
    }
    sql += u" ORDER BY " + key + (descending ? u" DESC" : u"") + u" LIMIT " + decimalText(int64_t(limit));
    return offset > 0 ? sql + u" OFFSET " + decimalText(offset) : sql;
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

std::u16string TableStatements::updateByKey(const Column& column, const Field& original) const {
    std::u16string name = database_.quoted(column.name);
    return u"UPDATE " + query_.table + u" SET " + name + u" = ? WHERE " + keyMatch() + u" AND " +
           ValueMatch::condition(name, original, column);
}

std::u16string TableStatements::deleteByKey(const std::vector<Column>& columns, const Row& original) const {
    return u"DELETE FROM " + query_.table + u" WHERE " + keyMatch() + u" AND " + valuesMatch(columns, original);
}

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
