#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "tests/grid/odbc/qt_text_codec.h"
#include "tests/grid/odbc/separate_connection.h"
#include "tests/support/temp_dir.h"

// The databases every test of the component runs against through the real drivers: a
// SQLite file in a fresh folder, and the private PostgreSQL server that ctest starts
// with scripts/test-database (its details in the file named by BIAOGE_TEST_POSTGRES).
enum class Backend { sqlite, postgres };

class TestDatabase {
public:
    // Nothing, with the reason in whyNot, when the backend is not there.
    static std::unique_ptr<TestDatabase> create(Backend backend, std::string& whyNot);

    Backend backend() const { return backend_; }
    bool isSqlite() const { return backend_ == Backend::sqlite; }
    // The connection text, ASCII and so the same in GBK.
    const std::string& connection() const { return connection_; }
    SeparateConnection& separate() { return *separate_; }
    // Runs a statement on the separate connection; a failure fails the test.
    void run(std::u16string_view sql);
    std::optional<std::u16string> value(std::u16string_view sql) { return separate_->value(sql); }
    // Stops and starts the PostgreSQL server, dropping every connection to it.
    bool restartServer();

private:
    Backend backend_ = Backend::sqlite;
    std::unique_ptr<TempDir> folder_;
    std::string connection_;
    std::string stateFile_;
    std::unique_ptr<SeparateConnection> separate_;
};

// The state file of the private server, or the reason why there is none.
std::optional<std::string> postgresConnection(std::string& whyNot);

// GBK text (messages of the component) as UTF-8 for the test's own output.
std::string readable(std::string_view gbk);

// A test run once for each backend; skipped for a backend that is not there.
class BackendTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override;

    QtTextCodec codec_;
    std::unique_ptr<TestDatabase> database_;
};

std::string backendName(const ::testing::TestParamInfo<Backend>& info);

#define INSTANTIATE_FOR_EACH_BACKEND(suite) \
    INSTANTIATE_TEST_SUITE_P(Backends, suite, ::testing::Values(Backend::sqlite, Backend::postgres), backendName)
