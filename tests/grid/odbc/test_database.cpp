#include "tests/grid/odbc/test_database.h"

#include <cstdlib>

#include "runtime/platform/gbk_codec.h"
#include "tests/grid/odbc/postgres_state.h"

namespace {

std::u16string ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

std::string utf8(std::u16string_view text) {
    return rt::gbkToUtf8(QtTextCodec().toGbk(text));
}

}  // namespace

std::optional<std::string> postgresConnection(std::string& whyNot) {
    const char* stateFile = std::getenv("BIAOGE_TEST_POSTGRES");
    if (!stateFile || !*stateFile) {
        whyNot = "BIAOGE_TEST_POSTGRES is not set; ctest sets it and starts a private server (scripts/test-database)";
        return std::nullopt;
    }
    return postgresConnection(stateFile, whyNot);
}

std::unique_ptr<TestDatabase> TestDatabase::create(Backend backend, std::string& whyNot) {
    auto database = std::make_unique<TestDatabase>();
    database->backend_ = backend;
    if (backend == Backend::sqlite) {
        database->folder_ = std::make_unique<TempDir>();
        std::string file = database->folder_->file("test.db");
        // Without NoCreat the driver makes the file; the component then opens it with NoCreat=1.
        database->separate_ = std::make_unique<SeparateConnection>(ascii("Driver=SQLite3;Database=" + file + ";"));
        database->connection_ = "Driver=SQLite3;Database=" + file + ";NoCreat=1;";
    } else {
        std::optional<std::string> connection = postgresConnection(whyNot);
        if (!connection) {
            return nullptr;
        }
        database->stateFile_ = std::getenv("BIAOGE_TEST_POSTGRES");
        database->connection_ = *connection;
        database->separate_ = std::make_unique<SeparateConnection>(ascii(*connection));
    }
    if (!database->separate_->isOpen()) {
        whyNot = "cannot connect to the test database: " + database->connection_;
        return nullptr;
    }
    return database;
}

void TestDatabase::run(std::u16string_view sql) {
    std::u16string message = separate_->execute(sql);
    EXPECT_TRUE(message.empty()) << utf8(sql) << ": " << utf8(message);
}

bool TestDatabase::restartServer() {
    std::string command = std::string(BIAOGE_TEST_DATABASE_SCRIPT) + " restart '" + stateFile_ + "'";
    if (stateFile_.empty() || std::system(command.c_str()) != 0) {
        return false;
    }
    separate_ = std::make_unique<SeparateConnection>(ascii(connection_));
    return separate_->isOpen();
}

std::string readable(std::string_view gbk) { return rt::gbkToUtf8(gbk); }

void BackendTest::SetUp() {
    std::string whyNot;
    database_ = TestDatabase::create(GetParam(), whyNot);
    if (!database_) {
        GTEST_SKIP() << whyNot;
    }
}

std::string backendName(const ::testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::sqlite ? "SQLite" : "PostgreSQL";
}
