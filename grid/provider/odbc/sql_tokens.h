#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace grid::odbc {

// The pieces of an SQL text, enough to find the shape of a query without understanding
// its expressions: names and keywords, quoted names, string literals, numbers, and
// single-character symbols.
struct SqlToken {
    enum class Kind { word, quotedName, string, number, symbol };
    Kind kind;
    size_t begin;
    size_t end;
    std::u16string_view text;

    bool isWord(std::u16string_view upperCaseWord) const;
    bool isSymbol(char16_t symbol) const { return kind == Kind::symbol && text.size() == 1 && text[0] == symbol; }
};

// Nothing when the text holds a comment or an unterminated quote: such a text is not
// taken apart (a comment could hide what follows it).
std::optional<std::vector<SqlToken>> tokenizeSql(std::u16string_view sql);

// The name a word or a quoted name stands for: quotes removed, doubled quotes undone.
std::u16string unquotedName(const SqlToken& token);

}  // namespace grid::odbc
