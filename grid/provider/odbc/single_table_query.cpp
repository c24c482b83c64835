#include "grid/provider/odbc/single_table_query.h"

#include <algorithm>
#include <array>

#include "grid/provider/odbc/sql_tokens.h"

namespace grid::odbc {

namespace {

using Tokens = std::vector<SqlToken>;

bool isName(const SqlToken& token) {
    return token.kind == SqlToken::Kind::word || token.kind == SqlToken::Kind::quotedName;
}

// Words that end the simple shape when they appear outside parentheses: grouping,
// limits, set operations, locking, and anything that writes.
bool endsSimpleShape(const SqlToken& token) {
    static constexpr std::array<std::u16string_view, 16> words = {
        u"GROUP", u"HAVING", u"LIMIT",  u"OFFSET", u"FETCH", u"UNION",     u"INTERSECT", u"EXCEPT",
        u"WINDOW", u"FOR",   u"INTO",   u"JOIN",   u"TOP",   u"RETURNING", u"WHERE",     u"FROM"};
    return std::any_of(words.begin(), words.end(), [&](std::u16string_view word) { return token.isWord(word); }) ||
           token.isSymbol(u';');
}

std::u16string textOf(std::u16string_view sql, const Tokens& tokens, size_t first, size_t end) {
    return std::u16string(sql.substr(tokens[first].begin, tokens[end - 1].end - tokens[first].begin));
}

// The tokens from `at` up to the first top-level ORDER BY (or the end), refusing what
// does not belong to a plain condition. Returns the index where it stopped, or npos.
size_t scanClause(const Tokens& tokens, size_t at, bool allowPositions) {
    int depth = 0;
    for (size_t i = at; i < tokens.size(); ++i) {
        const SqlToken& token = tokens[i];
        if (token.isSymbol(u'(')) {
            ++depth;
        } else if (token.isSymbol(u')')) {
            if (--depth < 0) {
                return std::u16string_view::npos;
            }
        } else if (depth == 0) {
            if (token.isWord(u"ORDER") && i + 1 < tokens.size() && tokens[i + 1].isWord(u"BY")) {
                return i;
            }
            // ORDER BY 2 counts select-list columns, which change when key columns
            // are selected beside them.
            if (endsSimpleShape(token) || (!allowPositions && token.kind == SqlToken::Kind::number)) {
                return std::u16string_view::npos;
            }
        }
    }
    return depth == 0 ? tokens.size() : std::u16string_view::npos;
}

}  // namespace

std::optional<SingleTableQuery> parseSingleTableQuery(std::u16string_view sql) {
    std::optional<Tokens> tokenized = tokenizeSql(sql);
    if (!tokenized || tokenized->empty() || !tokenized->front().isWord(u"SELECT")) {
        return std::nullopt;
    }
    const Tokens& tokens = *tokenized;
    SingleTableQuery query;
    size_t i = 1;

    // SELECT * or SELECT name, name, ...
    size_t listBegin = i;
    if (i < tokens.size() && tokens[i].isSymbol(u'*')) {
        ++i;
    } else {
        for (;;) {
            if (i >= tokens.size() || !isName(tokens[i]) || tokens[i].isWord(u"FROM") || tokens[i].isWord(u"DISTINCT") ||
                tokens[i].isWord(u"ALL") || tokens[i].isWord(u"TOP")) {
                return std::nullopt;
            }
            ++i;
            if (i < tokens.size() && tokens[i].isSymbol(u',')) {
                ++i;
                continue;
            }
            break;
        }
    }
    if (i >= tokens.size() || !tokens[i].isWord(u"FROM")) {
        return std::nullopt;
    }
    query.selectList = textOf(sql, tokens, listBegin, i);
    ++i;

    // FROM [catalog.][schema.]name
    size_t tableBegin = i;
    for (;;) {
        if (i >= tokens.size() || !isName(tokens[i]) || endsSimpleShape(tokens[i]) || tokens[i].isWord(u"ORDER")) {
            return std::nullopt;
        }
        query.tableName.push_back({unquotedName(tokens[i]), tokens[i].kind == SqlToken::Kind::quotedName});
        ++i;
        if (i < tokens.size() && tokens[i].isSymbol(u'.') && query.tableName.size() < 3) {
            ++i;
            continue;
        }
        break;
    }
    query.table = textOf(sql, tokens, tableBegin, i);

    if (i < tokens.size() && tokens[i].isWord(u"WHERE")) {
        size_t end = scanClause(tokens, i + 1, true);
        if (end == std::u16string_view::npos || end == i + 1) {
            return std::nullopt;
        }
        query.condition = textOf(sql, tokens, i + 1, end);
        i = end;
    }
    if (i < tokens.size() && tokens[i].isWord(u"ORDER")) {
        size_t begin = i + 2;
        size_t end = scanClause(tokens, begin, false);
        if (end != tokens.size() || begin >= tokens.size()) {
            return std::nullopt;
        }
        query.ordering = textOf(sql, tokens, begin, end);
        i = end;
    }
    if (i != tokens.size()) {
        return std::nullopt;
    }
    return query;
}

}  // namespace grid::odbc
