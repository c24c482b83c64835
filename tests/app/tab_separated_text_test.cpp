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

// Rows are separated, not ended: a line break after the last row would read as one
// more, empty row in other programs.
TEST(TabSeparatedText, CellsThatWouldSplitAreQuotedAndRowsSeparated) {
    const std::pair<std::vector<std::vector<std::string>>, std::string> cases[] = {
        {{{"a", "b"}, {"c", "d"}}, "a\tb\r\nc\td"},
        {{{"", ""}}, "\t"},
        {{{"", ""}, {"", ""}}, "\t\r\n\t"},
        {{{"tab\there"}}, "\"tab\there\""},
        {{{"two\r\nlines", "x"}}, "\"two\r\nlines\"\tx"},
        {{{"\"quoted\" start"}}, "\"\"\"quoted\"\" start\""},
        {{{"inner \"quotes\" stay"}}, "inner \"quotes\" stay"},
        {{{"名称", "数量"}}, "名称\t数量"},
    };
    for (const auto& [rows, expected] : cases) EXPECT_EQ(joined(rows), expected);
}

}  // namespace
