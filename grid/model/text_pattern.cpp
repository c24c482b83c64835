#include "grid/model/text_pattern.h"

#include "grid/model/gbk_find.h"

namespace grid {

SearchOptions searchOptionsFromFlags(int32_t flags) {
    return {.matchCase = (flags & 1) != 0, .wholeCell = (flags & 2) != 0, .regularExpression = (flags & 4) != 0};
}

bool TextPattern::create(std::string_view text, SearchOptions options) {
    text_ = std::string(text);
    options_ = options;
    valid_ = !text.empty();
    if (valid_ && options.regularExpression) {
        // The pattern must stand on its own before it is anchored: "a)(b" would
        // otherwise become a valid pattern inside the anchors.
        valid_ = regex_.create(text, options.matchCase);
        if (valid_ && options.wholeCell) {
            valid_ = regex_.create("\\A(?:" + text_ + ")\\z", options.matchCase);
        }
    }
    return valid_;
}

bool TextPattern::matches(std::string_view text) const {
    if (!valid_ || text.empty()) return false;
    if (options_.regularExpression) return !regex_.search(text).empty();
    if (options_.wholeCell) return equalsGbk(text, text_, options_.matchCase);
    return findGbk(text, text_, 0, options_.matchCase) != std::string_view::npos;
}

std::optional<std::string> TextPattern::replaced(std::string_view text, std::string_view replacement) const {
    if (!matches(text)) return std::nullopt;
    if (options_.regularExpression) return regex_.replaceMatches(text, replacement);
    if (options_.wholeCell) return std::string(replacement);
    std::string result;
    size_t copied = 0;
    for (size_t at = findGbk(text, text_, 0, options_.matchCase); at != std::string_view::npos;
         at = findGbk(text, text_, copied, options_.matchCase)) {
        result.append(text.substr(copied, at - copied)).append(replacement);
        copied = at + text_.size();
    }
    result.append(text.substr(copied));
    return result;
}

}  // namespace grid
