#include "app/edit/date_time_forms.h"

#include <string_view>

#include "runtime/regex/regex.h"

namespace app {
namespace {

struct Replacement {
    std::string_view pattern;
    std::string_view replacement;
};

std::string replaceAll(std::string_view text, std::string_view pattern,
                       std::string_view replacement) {
    rt::Regex regex;
    regex.create(pattern);
    return regex.replace(text, replacement);
}

// The classes below are classes of GBK bytes. That is safe for these texts: between
// the unit characters there are only digits, and no unit's second byte followed by
// another unit's first byte spells one of the units.
std::string throughLast(std::string_view text, std::string_view unit) {
    rt::Regex regex;
    regex.create(".+" + std::string(unit));
    return regex.search(text).matchText(text);
}

// F0 … F6, each applied in order to T without its "秒".
const std::vector<std::vector<Replacement>>& separatorForms() {
    static const std::vector<std::vector<Replacement>> forms = {
        {{"[年月日时分]+", ""}},
        {{"[年月]+", "/"}, {"[日]+", " "}, {"[时分]+", ":"}},
        {{"[年月日时分]+", "/"}},
        {{"[年月日]+", "/"}, {"[时分]+", ":"}},
        {{"[年月日时分]+", "-"}},
        {{"[年月日]+", "-"}, {"[时分]+", ":"}},
        {{"[年月]+", "."}, {"[日]+", " "}, {"[时分]+", ":"}},
    };
    return forms;
}

}  // namespace

std::vector<std::string> insertTimeForms(const std::function<rt::DateParts()>& clock) {
    auto now = [&clock] { return rt::formatDateText(clock()); };
    std::vector<std::string> items;
    items.push_back(now());
    for (std::string_view unit : {"分", "时", "日"})
        items.push_back(throughLast(now(), unit));
    for (const std::vector<Replacement>& form : separatorForms()) {
        std::string text = replaceAll(now(), "[秒]+", "");
        for (const Replacement& step : form)
            text = replaceAll(text, step.pattern, step.replacement);
        items.push_back(text);
    }
    return items;
}

}  // namespace app
