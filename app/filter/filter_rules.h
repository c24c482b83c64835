#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/regex/regex.h"

namespace app {

// The comparison of a condition line of the data filter, applied to a key cell's text.
enum class FilterTest { Equal, Greater, Less, Contains, StartsWith, EndsWith };

// What a line's list box shows: keep the lines whose key passes, delete them, or
// (any other text) never delete anything.
enum class FilterChoice { Keep, Delete, Neither };

struct FilterCondition {
    FilterTest test = FilterTest::Equal;
    std::string value;
    FilterChoice choice = FilterChoice::Keep;
};

// The switched-on condition lines, ready to be applied to many key texts: the
// patterns of "starts with" and "ends with" are compiled once.
class FilterRules {
public:
    FilterRules(std::vector<FilterCondition> conditions, bool caseSensitive);

    // Whether any condition asks for the line with this key text to go.
    bool asksToDelete(std::string_view key) const;

    // The first StartsWith or EndsWith condition whose value makes its pattern
    // invalid; nullptr when every pattern compiles. Such a condition never matches, so
    // with "keep" it would ask for every line to go: filter with none of them.
    const FilterCondition* invalidPattern() const;

private:
    struct Rule {
        FilterCondition condition;
        // The compiled pattern of StartsWith and EndsWith; nothing when it does not
        // compile, which reads as never matching.
        std::optional<rt::Regex> pattern;
        bool patternInvalid = false;
    };
    bool holds(const Rule& rule, std::string_view key) const;

    std::vector<Rule> rules_;
    bool caseSensitive_;
};

}  // namespace app
