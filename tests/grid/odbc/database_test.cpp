#include "grid/provider/odbc/database.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "grid/provider/odbc/data_source_list.h"
#include "grid/provider/odbc/record_set.h"
#include "tests/grid/odbc/test_database.h"

using namespace grid::odbc;

TEST(Database, AMissingDriverGivesTheDriverManagersMessage) {
    QtTextCodec codec;
    Database database(codec);
    EXPECT_FALSE(database.open("Driver=NoSuchDriver;Database=x"));
    EXPECT_FALSE(database.isOpen());
    EXPECT_NE(database.lastError().find("NoSuchDriver"), std::string::npos) << readable(database.lastError());
}

TEST(Database, AMissingSqliteFileIsNotCreated) {
    QtTextCodec codec;
    TempDir folder;
    std::string file = folder.file("missing.db");
    Database database(codec);
    EXPECT_FALSE(database.open("Driver=SQLite3;Database=" + file + ";NoCreat=1"));
    EXPECT_FALSE(database.lastError().empty());
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(Database, AFileWithAChineseNameIsFoundAndItsTextCompletes) {
    QtTextCodec codec;
    TempDir folder;
    // The path travels as GBK, then UTF-16, then the file system's UTF-8.
    std::string file = folder.file("数据.db");
    Database creator(codec);
    ASSERT_TRUE(creator.open("Driver=SQLite3;Database=" + file)) << readable(creator.lastError());
    creator.close();
    EXPECT_TRUE(std::filesystem::exists(folder.path() / std::u16string(u"数据.db")));
    Database database(codec);
    ASSERT_TRUE(database.open("Driver=SQLite3;Database=" + file + ";NoCreat=1")) << readable(database.lastError());
    // The SQLite driver's own completed text names no driver; it is kept from the given one.
    EXPECT_EQ(database.connectString().find("DRIVER=SQLite3;"), 0u) << readable(database.connectString());
    EXPECT_NE(database.connectString().find(file), std::string::npos) << readable(database.connectString());
    Database again(codec);
    EXPECT_TRUE(again.open(database.connectString())) << readable(again.lastError());
}

TEST(Database, AServerDatabaseWithAChineseNameOpens) {
    QtTextCodec codec;
    std::string whyNot;
    std::unique_ptr<TestDatabase> test = TestDatabase::create(Backend::postgres, whyNot);
    if (!test) {
        GTEST_SKIP() << whyNot;
    }
    test->run(u"drop database if exists 测试库");
    test->run(u"create database 测试库");
    std::string connection = test->connection();
    size_t name = connection.find("Database=") + 9;
    connection.replace(name, connection.find(';', name) - name, "测试库");
    Database database(codec);
    ASSERT_TRUE(database.open(connection)) << readable(database.lastError());
    RecordSet records(database);
    ASSERT_TRUE(records.open("select current_database()")) << readable(records.lastError());
    EXPECT_EQ(records.fieldText(0, 0), "测试库");
    EXPECT_NE(database.connectString().find("测试库"), std::string::npos) << readable(database.connectString());
}

// The driver spoils a password beyond ASCII in the text it completes; reconnecting and
// the grid's own connection open with that text.
TEST(Database, ItsCompletedTextSignsInAgainWithAChinesePassword) {
    QtTextCodec codec;
    std::string whyNot;
    std::unique_ptr<TestDatabase> test = TestDatabase::create(Backend::postgres, whyNot);
    if (!test) {
        GTEST_SKIP() << whyNot;
    }
    // The user and password that scripts/test-database makes.
    std::string connection = test->connection();
    size_t user = connection.find("Username=") + 9;
    connection.replace(user, connection.find(';', user) - user, "biaoge_pw;PWD=秘密pw");
    Database database(codec);
    ASSERT_TRUE(database.open(connection)) << readable(database.lastError());
    Database again(codec);
    EXPECT_TRUE(again.open(database.connectString())) << readable(again.lastError());
    EXPECT_TRUE(database.reconnect()) << readable(database.lastError());

    std::string wrong = connection;
    wrong.replace(wrong.find("秘密"), 4, "机密");
    EXPECT_FALSE(again.open(wrong));
    EXPECT_NE(again.lastError().find("biaoge_pw"), std::string::npos) << readable(again.lastError());
}

TEST(Database, AFailedOpenKeepsTheConnectionItHad) {
    QtTextCodec codec;
    std::string whyNot;
    std::unique_ptr<TestDatabase> test = TestDatabase::create(Backend::sqlite, whyNot);
    ASSERT_TRUE(test) << whyNot;
    test->run(u"create table 表(编号 integer primary key, 名称 varchar(10))");
    test->run(u"insert into 表 values(1, '甲')");
    Database database(codec);
    ASSERT_TRUE(database.open(test->connection()));
    std::string completed = database.connectString();
    EXPECT_FALSE(database.open("Driver=NoSuchDriver"));
    EXPECT_TRUE(database.alive());
    EXPECT_EQ(database.connectString(), completed);
    RecordSet records(database);
    ASSERT_TRUE(records.open("select * from 表")) << readable(records.lastError());
    EXPECT_EQ(records.fieldText(0, 1), "甲");
}

TEST(Database, ConfiguredDataSourcesAndInstalledDriversAreListed) {
    QtTextCodec codec;
    TempDir settings;
    std::string whyNot;
    std::unique_ptr<TestDatabase> test = TestDatabase::create(Backend::sqlite, whyNot);
    ASSERT_TRUE(test) << whyNot;
    test->run(u"create table t(a integer)");
    // A user data source in a settings file of the test's own (unixODBC reads the
    // user's file from ODBCINI when it is set).
    std::string file = test->connection().substr(test->connection().find("Database=") + 9);
    file = file.substr(0, file.find(';'));
    writeWholeFile(settings.file("odbc.ini"), "[biaoge_test]\nDriver=SQLite3\nDescription=SQLite3\nDatabase=" + file + "\n");
    setenv("ODBCINI", settings.file("odbc.ini").c_str(), 1);
    std::vector<DataSourceEntry> sources = listDataSources(codec);
    std::vector<DriverEntry> drivers = listDrivers(codec);
    Database database(codec);
    bool opened = database.open("DSN=biaoge_test;NoCreat=1");
    unsetenv("ODBCINI");

    auto source = std::find_if(sources.begin(), sources.end(), [](const DataSourceEntry& s) { return s.name == "biaoge_test"; });
    ASSERT_NE(source, sources.end());
    EXPECT_FALSE(source->isSystem);
    EXPECT_EQ(source->description, "SQLite3");
    EXPECT_TRUE(opened) << readable(database.lastError());
    EXPECT_NE(database.connectString().find("DSN=biaoge_test"), std::string::npos) << readable(database.connectString());

    for (const char* name : {"SQLite3", "PostgreSQL Unicode"}) {
        auto driver = std::find_if(drivers.begin(), drivers.end(), [&](const DriverEntry& d) { return d.name == name; });
        ASSERT_NE(driver, drivers.end()) << name;
        EXPECT_FALSE(driver->attributes.empty()) << name;
    }
}
