// Figures of the database support component on a PostgreSQL table of 1,000,000 rows x
// 10 columns: opening it with its first screen, jumping to the last row and to rows far
// apart, scrolling through blocks with the growth of the process's memory, and writing
// one field.
//
// The server is the private one of the tests: the state file named by
// BIAOGE_TEST_POSTGRES, or else one this program starts (scripts/test-database) and
// stops again. Without a server it says why and measures nothing.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <unistd.h>

#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/record_set.h"
#include "grid/provider/odbc/statement.h"
#include "tests/grid/odbc/postgres_state.h"
#include "tests/grid/odbc/qt_text_codec.h"

namespace {

using grid::odbc::Database;
using grid::odbc::RecordSet;
using grid::odbc::Statement;

constexpr int32_t tableRows = 1000000;
constexpr int32_t screenRows = 40;
const char* const query = "select * from 百万行";

QtTextCodec codec;
std::string connection;

double residentMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
        }
    }
    return 0;
}

void readRow(RecordSet& records, int32_t row) {
    for (int32_t column = 0; column < records.columnCount(); ++column) {
        benchmark::DoNotOptimize(records.fieldText(row, column));
    }
}

bool run(Database& database, const std::u16string& sql) {
    Statement statement(database);
    return statement.execute(sql);
}

// One generate_series statement makes the rows; the primary key comes after it.
bool prepareTable() {
    Database database(codec);
    if (!database.open(connection)) {
        std::fprintf(stderr, "odbc_benchmarks: cannot connect: %s\n", database.lastError().c_str());
        return false;
    }
    RecordSet existing(database);
    if (existing.open("select count(*) from 百万行") && existing.fieldText(0, 0) == std::to_string(tableRows)) {
        return true;
    }
    return run(database, u"drop table if exists 百万行") &&
           run(database,
               u"create table 百万行 as select g as 编号, g * 7 as 整数, '第' || g || '行' as 名称, g * 0.25 as 小数, "
               u"timestamp '2024-01-01' + g * interval '1 minute' as 时间, (g % 30000)::smallint as 短整数, "
               u"md5(g::text) as 摘要, g % 2 = 0 as 逻辑, g::bigint * 1000 as 长整数, repeat('字', g % 10) as 备注 "
               u"from generate_series(1, 1000000) g") &&
           run(database, u"alter table 百万行 add primary key (编号)") && run(database, u"vacuum analyze 百万行");
}

void openWithFirstScreen(benchmark::State& state) {
    for (auto _ : state) {
        Database database(codec);
        RecordSet records(database);
        if (!database.open(connection) || !records.open(query)) {
            state.SkipWithError("the table does not open");
            return;
        }
        for (int32_t row = 0; row < screenRows; ++row) {
            readRow(records, row);
        }
    }
}

void jumpToLastRow(benchmark::State& state) {
    Database database(codec);
    if (!database.open(connection)) {
        state.SkipWithError("no connection");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        RecordSet records(database);
        records.open(query);
        readRow(records, 0);
        state.ResumeTiming();
        readRow(records, records.recordCount() - 1);
    }
}

// Every jump lands in a block that is not cached: the cost of one block fetch.
void jumpToRowsFarApart(benchmark::State& state) {
    Database database(codec);
    RecordSet records(database);
    if (!database.open(connection) || !records.open(query)) {
        state.SkipWithError("the table does not open");
        return;
    }
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> rows(0, records.recordCount() - 1);
    for (auto _ : state) {
        readRow(records, rows(random));
    }
}

// Reads every field of range(0) blocks of 200 rows from the top, as scrolling does.
void scrollThroughBlocks(benchmark::State& state) {
    const double before = residentMiB();
    Database database(codec);
    RecordSet records(database);
    if (!database.open(connection) || !records.open(query)) {
        state.SkipWithError("the table does not open");
        return;
    }
    const double opened = residentMiB();
    const int32_t rows = int32_t(state.range(0)) * 200;
    for (auto _ : state) {
        for (int32_t row = 0; row < rows; ++row) {
            readRow(records, row);
        }
    }
    state.counters["open_growth_MiB"] = opened - before;
    state.counters["scroll_growth_MiB"] = residentMiB() - opened;
    state.counters["rows_per_second"] = benchmark::Counter(double(rows) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void writeOneField(benchmark::State& state) {
    Database database(codec);
    RecordSet records(database);
    if (!database.open(connection) || !records.open(query)) {
        state.SkipWithError("the table does not open");
        return;
    }
    int64_t written = 0;
    for (auto _ : state) {
        int32_t row = int32_t((written * 7919) % tableRows);
        if (!records.setFieldText(row, 2, "改过的第" + std::to_string(written) + "行")) {
            state.SkipWithError("the write was refused");
            return;
        }
        ++written;
    }
}

// The state file of the tests' server, or one of our own started for this run.
class Server {
public:
    Server() {
        if (const char* state = std::getenv("BIAOGE_TEST_POSTGRES"); state && *state) {
            stateFile_ = state;
        } else {
            char name[] = "/tmp/biaoge-bench-postgres-XXXXXX";
            int file = mkstemp(name);
            if (file >= 0) {
                close(file);
                stateFile_ = name;
                ownServer_ = std::system(command("start").c_str()) == 0;
            }
        }
    }
    ~Server() {
        if (ownServer_ && std::system(command("stop").c_str()) != 0) {
            std::fprintf(stderr, "odbc_benchmarks: the private server did not stop cleanly\n");
        }
    }
    std::optional<std::string> connection(std::string& whyNot) const {
        return stateFile_.empty() ? std::nullopt : postgresConnection(stateFile_, whyNot);
    }

private:
    std::string command(const char* action) const {
        return std::string(BIAOGE_TEST_DATABASE_SCRIPT) + " " + action + " '" + stateFile_ + "'";
    }

    std::string stateFile_;
    bool ownServer_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Server server;
    std::string whyNot = "no state file for a server";
    std::optional<std::string> found = server.connection(whyNot);
    if (!found) {
        std::printf("odbc_benchmarks: %s; nothing measured\n", whyNot.c_str());
        return 0;
    }
    connection = *found;
    if (!prepareTable()) {
        std::printf("odbc_benchmarks: the table of %d rows could not be made; nothing measured\n", tableRows);
        return 0;
    }
    benchmark::RegisterBenchmark("open_1M_rows_with_first_screen", openWithFirstScreen)->Unit(benchmark::kMillisecond)->Iterations(5);
    benchmark::RegisterBenchmark("jump_to_last_row", jumpToLastRow)->Unit(benchmark::kMillisecond)->Iterations(5);
    benchmark::RegisterBenchmark("jump_to_rows_far_apart", jumpToRowsFarApart)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("scroll_through_blocks", scrollThroughBlocks)
        ->Arg(1000)
        ->Arg(5000)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::RegisterBenchmark("write_one_field", writeOneField)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
