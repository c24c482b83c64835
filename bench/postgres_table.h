#pragma once

// The private PostgreSQL server of the tests and its tables of 1,000,000 and
// 10,000,000 rows x 10 columns, shared by the database benchmarks.

#include <cstdint>
#include <optional>
#include <string>

namespace bench {

// Both tables have the same columns, every type the provider maps: integers of three
// widths, a decimal, a timestamp, a boolean, and short and Chinese texts. The column
// 编号 runs from 1 to rows and is the primary key.
struct BenchmarkTable {
    // In GBK, as the provider and the record set take names and queries.
    const char* name;
    int32_t rows;
    // What the benchmark names add, so that the figures of both sizes stand together.
    const char* label;

    std::string query() const { return std::string("select * from ") + name; }
    std::string benchmarkName(const char* what) const { return std::string(what) + "/" + label; }
};

inline constexpr BenchmarkTable kTables[] = {
    {"百万行", 1000000, "1M"},
    {"千万行", 10000000, "10M"},
};

// The server named by the state file in BIAOGE_TEST_POSTGRES, or else one started for
// this run (scripts/test-database) and stopped again when this goes. Only a named
// server keeps the tables between runs; making the larger one takes minutes.
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

// The connection text of the server with every table of kTables made unless it is
// there complete; nothing, with the reason printed after the program's name, when
// either cannot be had.
std::optional<std::string> preparedTables(const PostgresServer& server, const char* program);

// The resident memory of this process.
double residentMiB();

}  // namespace bench
