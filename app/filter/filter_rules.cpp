#include "app/filter/filter_rules.h"

#include "app/filter/compare_text.h"

namespace app {
namespace {

bool usesPattern(FilterTest test) { return test == FilterTest::StartsWith || test == FilterTest::EndsWith; }

// The value goes into the pattern exactly as typed, so its special characters keep
// their meaning; the pattern always ignores case.
std::optional<rt::Regex> patternFor(const FilterCondition& condition) {
    const std::string pattern =
        condition.test == FilterTest::StartsWith ? "^" + condition.value + ".*" : ".*" + condition.value + "$";
    rt::Regex regex;
    if (!regex.create(pattern, false)) return std::nullopt;
    return regex;
}

}  // namespace

FilterRules::FilterRules(std::vector<FilterCondition> conditions, bool caseSensitive) : caseSensitive_(caseSensitive) {
    for (FilterCondition& condition : conditions) {
        Rule rule;
        rule.condition = std::move(condition);
        if (usesPattern(rule.condition.test)) {
            rule.pattern = patternFor(rule.condition);
            rule.patternInvalid = !rule.pattern;
        }
        rules_.push_back(std::move(rule));
    }
}

const FilterCondition* FilterRules::invalidPattern() const {
    for (const Rule& rule : rules_) {
        if (rule.patternInvalid) return &rule.condition;
    }
    return nullptr;
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
