#include "app/filter/filter_rules.h"

#include "app/filter/compare_text.h"

namespace app {
namespace {

// The value goes into the pattern exactly as typed, so its special characters keep
// their meaning; the pattern always ignores case.
std::optional<rt::Regex> patternFor(const FilterCondition& condition) {
    std::string pattern;
    if (condition.test == FilterTest::StartsWith) {
        pattern = "^" + condition.value + ".*";
    } else if (condition.test == FilterTest::EndsWith) {
        pattern = ".*" + condition.value + "$";
    } else {
        return std::nullopt;
    }
    rt::Regex regex;
    if (!regex.create(pattern, false)) return std::nullopt;
    return regex;
}

}  // namespace

FilterRules::FilterRules(std::vector<FilterCondition> conditions, bool caseSensitive) : caseSensitive_(caseSensitive) {
    for (FilterCondition& condition : conditions) {
        std::optional<rt::Regex> pattern = patternFor(condition);
        rules_.push_back({std::move(condition), std::move(pattern)});
    }
}

bool FilterRules::holds(const Rule& rule, std::string_view key) const {
    const FilterCondition& condition = rule.condition;
    switch (condition.test) {
        case FilterTest::Equal: return compareText(key, condition.value, caseSensitive_) == 0;
        case FilterTest::Greater: return compareText(key, condition.value, caseSensitive_) == 1;
        case FilterTest::Less: return compareText(key, condition.value, caseSensitive_) == -1;
        case FilterTest::Contains: return containsText(key, condition.value, caseSensitive_);
        case FilterTest::StartsWith:
        case FilterTest::EndsWith: return rule.pattern && rule.pattern->match(key);
    }
    return false;
}

bool FilterRules::asksToDelete(std::string_view key) const {
    for (const Rule& rule : rules_) {
        if (rule.condition.choice == FilterChoice::Neither) continue;
        bool passes = holds(rule, key);
        if (passes == (rule.condition.choice == FilterChoice::Delete)) return true;
    }
    return false;
}

}  // namespace app
