#pragma once

// The private PostgreSQL server of the tests and its table of 1,000,000 rows x 10
// columns, shared by the database benchmarks.

#include <cstdint>
#include <optional>
#include <string>

namespace bench {

constexpr int32_t kTableRows = 1000000;
// Every type the provider maps: integers of three widths, a decimal, a timestamp, a
// boolean, and short and Chinese texts.
constexpr const char* kTableQuery = "select * from 百万行";

// The server named by the state file in BIAOGE_TEST_POSTGRES, or else one started for
// this run (scripts/test-database) and stopped again when this goes.
class PostgresServer {
public:
    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // Its connection text, or nothing with the reason in whyNot.
    std::optional<std::string> connection(std::string& whyNot) const;

private:
    std::string command(const char* action) const;

    std::string stateFile_;
    bool ownServer_ = false;
};

// The connection text of the server with the table made unless it is there with all
// its rows; nothing, with the reason printed after the program's name, when either
// cannot be had.
std::optional<std::string> millionRows(const PostgresServer& server, const char* program);

// The resident memory of this process.
double residentMiB();

}  // namespace bench
