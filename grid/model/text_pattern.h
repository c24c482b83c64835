#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/regex/regex.h"

namespace grid {

struct SearchOptions {
    bool matchCase = false;
    // The text must be the cell's whole text, not a part of it.
    bool wholeCell = false;
    // The text is a Perl regular expression over GBK bytes.
    bool regularExpression = false;
};

// The options as the script commands give them: 1 match case, 2 whole cell, 4 regular
// expression, added together.
SearchOptions searchOptionsFromFlags(int32_t flags);

// What find and replace look for in a cell's text. Without matchCase only the ASCII
// letters fold: Chinese has no case, and folding bytes above 0x7F would break
// characters.
class TextPattern {
public:
    // False, leaving a pattern that matches nothing, for the empty text and for a
    // regular expression that does not compile.
    bool create(std::string_view text, SearchOptions options);

    bool matches(std::string_view text) const;
    // The text with every occurrence replaced (with the whole cell when wholeCell is
    // set), or nothing when it holds none or the regular-expression engine fails. A
    // regular expression's replacement may name what was matched with $& and the
    // groups with $1, $2, ...; any other replacement goes in as it is.
    std::optional<std::string> replaced(std::string_view text, std::string_view replacement) const;

private:
    std::string text_;
    SearchOptions options_;
    rt::Regex regex_;
    bool valid_ = false;
};

}  // namespace grid
