// The query dialog's history.
#include <gtest/gtest.h>

#include "app/database/query_history.h"

namespace {

TEST(QueryHistoryTest, EachTextOnceInTheOrderConfirmed) {
    app::QueryHistory history;
    history.add("orders");
    history.add("select * from b");
    history.add("orders");
    history.add("Orders");
    history.add("order");
    EXPECT_EQ(history.text(), "orders|select * from b|Orders|order|");
    EXPECT_EQ(history.entries(), (std::vector<std::string>{"orders", "select * from b", "Orders", "order"}));
    EXPECT_TRUE(app::QueryHistory().entries().empty());
}

}  // namespace
