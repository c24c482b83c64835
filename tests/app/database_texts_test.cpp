// Connection texts as the settings file keeps them, and the query dialog's history.
#include <gtest/gtest.h>

#include "app/database/connection_text.h"
#include "app/database/query_history.h"

namespace {

TEST(ConnectionTextTest, AttributesKeepBracedValuesWhole) {
    const auto attributes = app::connectionAttributes(" Driver={PostgreSQL Unicode};Server=db;PWD={a;b}}c};;UID=张三 ");
    ASSERT_EQ(attributes.size(), 4u);
    EXPECT_EQ(attributes[0].key, "Driver");
    EXPECT_EQ(attributes[0].value, "PostgreSQL Unicode");
    EXPECT_EQ(attributes[2].value, "a;b}c");
    EXPECT_EQ(attributes[3].value, "张三");
}

TEST(ConnectionTextTest, TheSettingsFileNeverKeepsThePassword) {
    struct Case {
        const char* text;
        const char* stored;
    };
    const Case cases[] = {
        {"DSN=sales;UID=li;PWD=secret", "DSN=sales;UID=li;"},
        {"Driver={PostgreSQL Unicode};password={x;y}}};Database=d;", "Driver={PostgreSQL Unicode};Database=d;"},
        {"Driver=SQLite3;Database=/tmp/a.db;NoCreat=1", "Driver=SQLite3;Database=/tmp/a.db;NoCreat=1;"},
        {"Pwd=1;pWd=2", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::withoutPassword(c.text), c.stored) << c.text;
        EXPECT_FALSE(app::hasPassword(app::withoutPassword(c.text))) << c.text;
    }
}

TEST(ConnectionTextTest, AUserWithoutPasswordIsAskedForOneThatComesBackIntact) {
    EXPECT_TRUE(app::needsPassword("DSN=sales;UID=li;"));
    EXPECT_TRUE(app::needsPassword("Driver={PostgreSQL Unicode};Username=li"));
    EXPECT_FALSE(app::needsPassword("DSN=sales;UID=li;PWD="));
    EXPECT_FALSE(app::needsPassword("Driver=SQLite3;Database=a.db"));
    EXPECT_FALSE(app::needsPassword("DSN=sales;UID="));

    const std::string connect = app::withPassword("DSN=sales;UID=li;PWD=old", "p;w}d");
    EXPECT_EQ(connect, "DSN=sales;UID=li;PWD={p;w}}d};");
    const auto attributes = app::connectionAttributes(connect);
    EXPECT_EQ(attributes.back().value, "p;w}d");
    EXPECT_EQ(attributes.size(), 3u);
}

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
