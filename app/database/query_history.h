#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace app {

// The tables and queries confirmed in the query dialog since the program started,
// kept as one text with every entry followed by "|" ("a|select * from b|"); never
// saved.
class QueryHistory {
public:
    // Adds the entry unless the very same text (letter case counts) is there already.
    void add(std::string_view entry);
    // The entries in the order they were first confirmed.
    std::vector<std::string> entries() const;
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

}  // namespace app
