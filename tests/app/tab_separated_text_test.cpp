#include "app/edit/tab_separated_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string joined(const std::vector<std::vector<std::string>>& rows) {
    app::TabSeparatedText text;
    for (const auto& row : rows) {
        for (const std::string& cell : row) text.addCell(cell);
        text.endRow();
    }
    return text.text();
}

TEST(TabSeparatedText, CellsThatWouldSplitAreQuoted) {
    const std::pair<std::vector<std::vector<std::string>>, std::string> cases[] = {
        {{{"a", "b"}, {"c", "d"}}, "a\tb\r\nc\td\r\n"},
        {{{"", ""}}, "\t\r\n"},
        {{{"tab\there"}}, "\"tab\there\"\r\n"},
        {{{"two\r\nlines", "x"}}, "\"two\r\nlines\"\tx\r\n"},
        {{{"\"quoted\" start"}}, "\"\"\"quoted\"\" start\"\r\n"},
        {{{"inner \"quotes\" stay"}}, "inner \"quotes\" stay\r\n"},
        {{{"名称", "数量"}}, "名称\t数量\r\n"},
    };
    for (const auto& [rows, expected] : cases) EXPECT_EQ(joined(rows), expected);
}

}  // namespace
