#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/regex/search_result.h"

namespace rt {

// A compiled regular expression over GBK bytes: patterns and texts are byte strings
// matched byte by byte, so a class of Chinese characters is a class of their bytes.
// Perl syntax; the line anchors also match at line breaks inside the text. No
// command throws: an engine error gives the empty result the command names.
// Positions taken are 1-based; offsets reported are 0-based.
class Regex {
public:
    Regex();
    ~Regex();
    Regex(const Regex&);
    Regex& operator=(const Regex&);

    // False when the pattern does not compile; the regex then holds no pattern.
    // Case-insensitive matching folds the ASCII letters only.
    bool create(std::string_view pattern, bool caseSensitive = true);
    // Whether the whole text matches; false without a pattern.
    bool match(std::string_view text) const;
    // The first match inside the bytes [start, start + length) (to the end when no
    // length is given); empty when the range does not lie inside the text.
    SearchResult search(std::string_view text, int32_t start = 1, std::optional<int32_t> length = std::nullopt) const;
    // Every match, each searched from the end of the one before.
    std::vector<SearchResult> searchAll(std::string_view text) const;
    // The bytes [start, start + length) with the matches replaced by format (Perl and
    // sed escapes and conditional forms); text outside the range is not part of the
    // result. Without copyUnmatched the text between matches is dropped; without
    // replaceAll only the first match is replaced. Empty for an invalid range.
    std::string replace(std::string_view text, std::string_view format, int32_t start = 1,
                        std::optional<int32_t> length = std::nullopt, bool copyUnmatched = true,
                        bool replaceAll = true) const;
    // Every match in the text replaced by format read as Perl reads it ($& the match,
    // $1... the groups, \ escapes; parentheses are plain), as a person types it into
    // a replace box. Nothing when the engine fails, so a failure is never taken for
    // an empty result.
    std::optional<std::string> replaceMatches(std::string_view text, std::string_view format) const;

private:
    struct Engine;
    std::shared_ptr<const Engine> engine_;
};

}  // namespace rt
