#include "grid/provider/odbc/connection_text.h"

#include <gtest/gtest.h>

using namespace grid::odbc;

TEST(ConnectionText, AttributesComeApartWithBracesAndBlanks) {
    std::vector<ConnectionAttribute> attributes =
        parseConnectionText(u"Driver={PostgreSQL Unicode}; Servername = 主机 ;PWD={a;b}}c};;orphan;Port=5432");
    ASSERT_EQ(attributes.size(), 4u);
    EXPECT_EQ(attributes[0].key, u"Driver");
    EXPECT_EQ(attributes[0].value, u"PostgreSQL Unicode");
    EXPECT_EQ(attributes[1].key, u"Servername");
    EXPECT_EQ(attributes[1].value, u"主机");
    EXPECT_EQ(attributes[2].value, u"a;b}c");
    EXPECT_EQ(attributes[3].key, u"Port");
    EXPECT_EQ(attributes[3].value, u"5432");
}

TEST(ConnectionText, ComposedTextParsesBackToTheSameAttributes) {
    std::vector<ConnectionAttribute> attributes{{u"DRIVER", u"SQLite3"}, {u"Database", u"/tmp/a;b {c}.db"}, {u"PWD", u""}};
    std::u16string text = composeConnectionText(attributes);
    EXPECT_EQ(text, u"DRIVER=SQLite3;Database={/tmp/a;b {c}}.db};PWD=;");
    std::vector<ConnectionAttribute> again = parseConnectionText(text);
    ASSERT_EQ(again.size(), 3u);
    EXPECT_EQ(again[1].value, u"/tmp/a;b {c}.db");
}

TEST(ConnectionText, AttributeLookupIgnoresCaseOfKeys) {
    EXPECT_EQ(attributeValue(u"dsn=销售;uid=王", u"DSN"), u"销售");
    EXPECT_EQ(attributeValue(u"dsn=销售;uid=王", u"PWD"), u"");
}

TEST(ConnectionText, PasswordsAreLeftOut) {
    EXPECT_EQ(withoutAttributes(u"DSN=a;UID=u;PWD=secret;Password={x;y};Port=1", {u"PWD", u"PASSWORD"}),
              u"DSN=a;UID=u;Port=1;");
}

TEST(ConnectionText, CompletedTextKeepsWhatOpeningItAgainNeeds) {
    struct Case {
        std::u16string_view completed;
        std::u16string_view given;
        std::u16string_view expected;
    };
    const Case cases[] = {
        // The SQLite driver reports an empty DSN and no driver.
        {u"DSN=;Database=/d/a.db;NoCreat=1;PWD=", u"Driver=SQLite3;Database=/d/a.db;NoCreat=1",
         u"DRIVER=SQLite3;Database=/d/a.db;NoCreat=1;PWD=;"},
        {u"DRIVER=PostgreSQL Unicode;DATABASE=x", u"Driver=PostgreSQL Unicode;Database=x",
         u"DRIVER=PostgreSQL Unicode;DATABASE=x"},
        {u"DSN=销售;UID=u", u"DSN=销售", u"DSN=销售;UID=u"},
        {u"Database=/d/a.db", u"DSN=本地", u"DSN=本地;Database=/d/a.db;"},
        {u"", u"DSN=本地", u"DSN=本地"},
        {u"Database=/d/a.db", u"Database=/d/a.db", u"Database=/d/a.db"},
        // Drivers leave the password out, empty it or spoil it (the PostgreSQL driver
        // reports "秘密" as "%ff%ff%ff%ff%ff%ff"): the given one opens the database again.
        {u"DRIVER=PostgreSQL Unicode;UID=li", u"Driver=PostgreSQL Unicode;UID=li;PWD={a;b}",
         u"DRIVER=PostgreSQL Unicode;UID=li;PWD={a;b};"},
        {u"DSN=;Database=/d/a.db;PWD=", u"Driver=SQLite3;Database=/d/a.db;Password=秘密",
         u"DRIVER=SQLite3;Database=/d/a.db;PWD=秘密;"},
        {u"DRIVER=PostgreSQL Unicode;UID=li;PWD=%ff%ff%ff%ff%ff%ffpw;Port=5", u"Driver=PostgreSQL Unicode;UID=li;PWD=秘密pw",
         u"DRIVER=PostgreSQL Unicode;UID=li;Port=5;PWD=秘密pw;"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(reopenableText(c.completed, c.given), c.expected);
    }
}
