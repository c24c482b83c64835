#include "app/edit/date_time_forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Items = std::vector<std::string>;

Items formsAt(const rt::DateParts& now) {
    return app::insertTimeForms([&now] { return now; });
}

TEST(InsertTimeForms, ElevenItemsInOrderForEachKindOfTimeOfDay) {
    struct Case {
        rt::DateParts now;
        Items expected;
    };
    const Case cases[] = {
        {{2012, 12, 8, 3, 40, 12},
         {"2012年12月8日3时40分12秒", "2012年12月8日3时40分", "2012年12月8日3时", "2012年12月8日",
          "201212834012", "2012/12/8 3:40:12", "2012/12/8/3/40/12", "2012/12/8/3:40:12",
          "2012-12-8-3-40-12", "2012-12-8-3:40:12", "2012.12.8 3:40:12"}},
        // Midnight: no time part, so nothing ends in "分" or "时" and F1 ends with the day's space.
        {{2012, 12, 8, 0, 0, 0},
         {"2012年12月8日", "", "", "2012年12月8日", "2012128", "2012/12/8 ", "2012/12/8/",
          "2012/12/8/", "2012-12-8-", "2012-12-8-", "2012.12.8 "}},
        // Whole minutes end with "分", which becomes a trailing separator.
        {{2012, 12, 8, 10, 5, 0},
         {"2012年12月8日10时5分", "2012年12月8日10时5分", "2012年12月8日10时", "2012年12月8日",
          "2012128105", "2012/12/8 10:5:", "2012/12/8/10/5/", "2012/12/8/10:5:", "2012-12-8-10-5-",
          "2012-12-8-10:5:", "2012.12.8 10:5:"}},
        // A whole hour: nothing ends in "分", and no leading zeros anywhere.
        {{2009, 1, 2, 9, 0, 0},
         {"2009年1月2日9时", "", "2009年1月2日9时", "2009年1月2日", "2009129", "2009/1/2 9:",
          "2009/1/2/9/", "2009/1/2/9:", "2009-1-2-9-", "2009-1-2-9:", "2009.1.2 9:"}},
        // Seconds alone still write the hour and minute, as zeros.
        {{1999, 10, 31, 0, 0, 7},
         {"1999年10月31日0时0分7秒", "1999年10月31日0时0分", "1999年10月31日0时", "1999年10月31日",
          "19991031007", "1999/10/31 0:0:7", "1999/10/31/0/0/7", "1999/10/31/0:0:7",
          "1999-10-31-0-0-7", "1999-10-31-0:0:7", "1999.10.31 0:0:7"}},
    };
    for (const Case& c : cases) {
        Items items = formsAt(c.now);
        ASSERT_EQ(items.size(), c.expected.size()) << c.expected[0];
        for (size_t i = 0; i < items.size(); ++i)
            EXPECT_EQ(items[i], c.expected[i]) << c.expected[0] << " item " << i + 1;
    }
}

TEST(InsertTimeForms, EveryItemReadsTheClockAgain) {
    rt::DateParts now{2012, 12, 8, 3, 40, 0};
    int reads = 0;
    Items items = app::insertTimeForms([&] {
        ++reads;
        now.second = reads;
        return now;
    });
    EXPECT_EQ(reads, 11);
    EXPECT_EQ(items[0], "2012年12月8日3时40分1秒");
    EXPECT_EQ(items[5], "2012/12/8 3:40:6");
    EXPECT_EQ(items[10], "2012.12.8 3:40:11");
}

}  // namespace
