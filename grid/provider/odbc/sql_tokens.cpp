#include "grid/provider/odbc/sql_tokens.h"

namespace grid::odbc {

namespace {

bool isNameStart(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c >= 0x80; }
bool isNamePart(char16_t c) { return isNameStart(c) || (c >= u'0' && c <= u'9') || c == u'$'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f' || c == u'\v'; }

// The end of a quoted piece that starts at begin with the opening character; a doubled
// closing character stands for itself. npos when it is not closed.
size_t quotedEnd(std::u16string_view sql, size_t begin, char16_t closing) {
    for (size_t i = begin + 1; i < sql.size(); ++i) {
        if (sql[i] == closing) {
            if (i + 1 < sql.size() && sql[i + 1] == closing && closing != u']') {
                ++i;
                continue;
            }
            return i + 1;
        }
    }
    return std::u16string_view::npos;
}

}  // namespace

bool SqlToken::isWord(std::u16string_view upperCaseWord) const {
    if (kind != Kind::word || text.size() != upperCaseWord.size()) {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'a' && c <= u'z') {
            c = char16_t(c - u'a' + u'A');
        }
        if (c != upperCaseWord[i]) {
            return false;
        }
    }
    return true;
}

std::optional<std::vector<SqlToken>> tokenizeSql(std::u16string_view sql) {
    std::vector<SqlToken> tokens;
    size_t i = 0;
    while (i < sql.size()) {
        char16_t c = sql[i];
        if (isBlank(c)) {
            ++i;
            continue;
        }
        if ((c == u'-' && i + 1 < sql.size() && sql[i + 1] == u'-') ||
            (c == u'/' && i + 1 < sql.size() && sql[i + 1] == u'*')) {
            return std::nullopt;
        }
        size_t begin = i;
        SqlToken::Kind kind = SqlToken::Kind::symbol;
        if (c == u'"' || c == u'`' || c == u'[' || c == u'\'') {
            char16_t closing = c == u'[' ? u']' : c;
            i = quotedEnd(sql, i, closing);
            if (i == std::u16string_view::npos) {
                return std::nullopt;
            }
            kind = c == u'\'' ? SqlToken::Kind::string : SqlToken::Kind::quotedName;
        } else if (isNameStart(c)) {
            while (i < sql.size() && isNamePart(sql[i])) {
                ++i;
            }
            kind = SqlToken::Kind::word;
        } else if (isDigit(c) || (c == u'.' && i + 1 < sql.size() && isDigit(sql[i + 1]))) {
            while (i < sql.size() && (isDigit(sql[i]) || sql[i] == u'.')) {
                ++i;
            }
            kind = SqlToken::Kind::number;
        } else {
            ++i;
        }
        tokens.push_back({kind, begin, i, sql.substr(begin, i - begin)});
    }
    return tokens;
}

std::u16string unquotedName(const SqlToken& token) {
    if (token.kind != SqlToken::Kind::quotedName) {
        return std::u16string(token.text);
    }
    char16_t closing = token.text.front() == u'[' ? u']' : token.text.front();
    std::u16string name;
    std::u16string_view inner = token.text.substr(1, token.text.size() - 2);
    for (size_t i = 0; i < inner.size(); ++i) {
        name += inner[i];
        if (inner[i] == closing && closing != u']' && i + 1 < inner.size() && inner[i + 1] == closing) {
            ++i;
        }
    }
    return name;
}

}  // namespace grid::odbc
