// Connection texts as the settings file keeps them and as the connect step completes them.
#include <gtest/gtest.h>

#include "grid/provider/connection_password.h"
#include "grid/provider/odbc/connection_text.h"

namespace {

TEST(ConnectionPasswordTest, TheRememberedTextNeverKeepsThePassword) {
    struct Case {
        std::u16string_view text;
        std::u16string_view kept;
    };
    const Case cases[] = {
        {u"DSN=sales;UID=li;PWD=secret", u"DSN=sales;UID=li;"},
        {u"Driver={PostgreSQL Unicode};password={x;y}}};Database=d;", u"Driver=PostgreSQL Unicode;Database=d;"},
        {u"Driver=SQLite3;Database=/tmp/甲 乙.db;NoCreat=1", u"Driver=SQLite3;Database=/tmp/甲 乙.db;NoCreat=1;"},
        {u"Pwd=1;pWd=2", u""},
    };
    for (const Case& c : cases) {
        const std::u16string kept = grid::withoutPassword(c.text);
        EXPECT_EQ(kept, c.kept);
        EXPECT_TRUE(grid::odbc::attributeValue(kept, u"PWD").empty());
    }
}

TEST(ConnectionPasswordTest, AUserWithoutPasswordIsAskedForOne) {
    const std::pair<std::u16string_view, bool> cases[] = {
        {u"DSN=sales;UID=li;", true},
        {u"Driver={PostgreSQL Unicode};Username=li", true},
        {u"Driver={PostgreSQL Unicode};uid=张三;Server=db", true},
        {u"DSN=sales;UID=li;PWD=", false},
        {u"DSN=sales;UID=li;Password=x", false},
        {u"Driver=SQLite3;Database=a.db", false},
        {u"DSN=sales;UID=", false},
        {u"", false},
    };
    for (auto [text, asks] : cases) EXPECT_EQ(grid::needsPassword(text), asks);
}

TEST(ConnectionPasswordTest, AnyPasswordComesBackIntact) {
    const std::u16string text = grid::withPassword(u"DSN=sales;UID=li;PWD=old", u"p;w}d{");
    EXPECT_EQ(text, u"DSN=sales;UID=li;PWD={p;w}}d{};");
    EXPECT_EQ(grid::odbc::attributeValue(text, u"pwd"), u"p;w}d{");
    EXPECT_FALSE(grid::needsPassword(text));
    EXPECT_EQ(grid::withoutPassword(text), u"DSN=sales;UID=li;");
}

}  // namespace
