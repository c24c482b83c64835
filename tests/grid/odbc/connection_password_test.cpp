// Connection texts as the settings file keeps them and as the connect step completes them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>

#include "grid/provider/connection_password.h"
#include "grid/provider/odbc/connection_text.h"
#include "grid/provider/odbc/utf8_text.h"
#include "tests/support/temp_dir.h"

namespace {

// The data sources the tests know of are defined in files of their own: unixODBC reads
// the user's definitions from the file ODBCINI names and the system's from odbc.ini in
// the folder ODBCSYSINI names, so no definition on the machine reaches the tests.
class ConnectionPasswordTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<TempDir>();
        // The installer library keeps each value it read for 20 seconds by section and
        // key, whatever file it came from: every case has a data source of its own.
        writeWholeFile(folder_->file("user.ini"),
                       grid::odbc::toUtf8(u"[stored]\nDriver=PostgreSQL Unicode\nPassword=s3cret\n"
                                          u"[shortKeys]\npWd=x\nuid=wang\n"
                                          u"[userOnly]\nUsername=li\n"
                                          u"[emptyPassword]\nUID=li\nPassword=\n"
                                          u"[bare]\nDriver=PostgreSQL Unicode\n"
                                          u"[shadowed]\nDriver=PostgreSQL Unicode\n"
                                          u"[销售库]\nPassword=甲\n"));
        writeWholeFile(folder_->file("odbc.ini"), "[system]\nPWD=sys\n[shadowed]\nPassword=fromSystem\n");
        for (Variable& variable : variables_) {
            const char* old = std::getenv(variable.name);
            if (old) variable.old = old;
        }
        setenv("ODBCINI", folder_->file("user.ini").c_str(), 1);
        setenv("ODBCSYSINI", folder_->path().c_str(), 1);
    }

    static void TearDownTestSuite() {
        for (Variable& variable : variables_) {
            if (variable.old) {
                setenv(variable.name, variable.old->c_str(), 1);
            } else {
                unsetenv(variable.name);
            }
            variable.old.reset();
        }
        folder_.reset();
    }

private:
    struct Variable {
        const char* name;
        std::optional<std::string> old;
    };
    static inline std::unique_ptr<TempDir> folder_;
    static inline Variable variables_[] = {{"ODBCINI", {}}, {"ODBCSYSINI", {}}};
};

TEST_F(ConnectionPasswordTest, TheRememberedTextNeverKeepsThePassword) {
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

TEST_F(ConnectionPasswordTest, AUserWithoutPasswordIsAskedForOne) {
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

TEST_F(ConnectionPasswordTest, TheDataSourceDefinitionGivesWhatTheTextLeavesOut) {
    const std::pair<std::u16string_view, bool> cases[] = {
        // A stored password: the driver logs in with it, whoever the text names.
        {u"DSN=stored;UID=li", false},
        {u"DSN=shortKeys", false},
        {u"DSN=system;UID=li", false},
        {u"DSN=销售库;UID=li", false},
        // A user but no password, from the definition or the text.
        {u"DSN=userOnly", true},
        {u"DSN=userOnly;UID=", true},
        {u"DSN=emptyPassword", true},
        {u"DSN=bare;UID=li", true},
        // The user's definition replaces the system's of the same name as a whole.
        {u"DSN=shadowed;UID=li", true},
        {u"DSN=bare", false},
        // Only a data source's name leads to its definition.
        {u"Driver={PostgreSQL Unicode};Database=stored;UID=li", true},
    };
    for (auto [text, asks] : cases) EXPECT_EQ(grid::needsPassword(text), asks) << grid::odbc::toUtf8(text);
}

TEST_F(ConnectionPasswordTest, AnyPasswordComesBackIntact) {
    const std::u16string text = grid::withPassword(u"DSN=sales;UID=li;PWD=old", u"p;w}d{");
    EXPECT_EQ(text, u"DSN=sales;UID=li;PWD={p;w}}d{};");
    EXPECT_EQ(grid::odbc::attributeValue(text, u"pwd"), u"p;w}d{");
    EXPECT_FALSE(grid::needsPassword(text));
    EXPECT_EQ(grid::withoutPassword(text), u"DSN=sales;UID=li;");
}

TEST_F(ConnectionPasswordTest, AnEmptyAnswerAddsNoPassword) {
    // "PWD=" would override the password a data source's definition holds.
    EXPECT_EQ(grid::withAnsweredPassword(u"DSN=emptyPassword;UID=li;", u""), u"DSN=emptyPassword;UID=li;");
    // A blank is a password like any other.
    EXPECT_EQ(grid::odbc::attributeValue(grid::withAnsweredPassword(u"DSN=bare;UID=li;", u" "), u"PWD"), u" ");
    EXPECT_EQ(grid::withAnsweredPassword(u"DSN=bare;UID=li;", u"x"), u"DSN=bare;UID=li;PWD=x;");
}

}  // namespace
