#include "app/database/query_history.h"

namespace app {

void QueryHistory::add(std::string_view entry) {
    std::string wanted = "|";
    wanted.append(entry);
    wanted += '|';
    if (("|" + text_).find(wanted) != std::string::npos) return;
    text_.append(entry);
    text_ += '|';
}

std::vector<std::string> QueryHistory::entries() const {
    std::vector<std::string> result;
    size_t start = 0;
    for (size_t bar = text_.find('|'); bar != std::string::npos; bar = text_.find('|', start)) {
        if (bar > start) result.emplace_back(text_.substr(start, bar - start));
        start = bar + 1;
    }
    return result;
}

}  // namespace app
