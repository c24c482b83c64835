// Figures of the database support component on PostgreSQL tables of 1,000,000 and
// 10,000,000 rows x 10 columns, each benchmark once per table ("/1M", "/10M"): opening
// a table with its first screen, jumping to the last row and to rows far apart,
// scrolling through blocks with the growth of the process's memory, and writing one
// field.
//
// The server is the private one of the tests: the state file named by
// BIAOGE_TEST_POSTGRES, or else one this program starts (scripts/test-database) and
// stops again. Without a server it says why and measures nothing.

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "bench/postgres_table.h"
#include "grid/provider/odbc/database.h"
#include "grid/provider/odbc/record_set.h"
#include "tests/grid/odbc/qt_text_codec.h"

namespace {

using bench::BenchmarkTable;
using bench::residentMiB;
using grid::odbc::Database;
using grid::odbc::RecordSet;

constexpr int32_t screenRows = 40;

QtTextCodec codec;
std::string connection;

void readRow(RecordSet& records, int32_t row) {
    for (int32_t column = 0; column < records.columnCount(); ++column) {
        benchmark::DoNotOptimize(records.fieldText(row, column));
    }
}

void openWithFirstScreen(benchmark::State& state, const BenchmarkTable& table) {
    for (auto _ : state) {
        Database database(codec);
        RecordSet records(database);
        if (!database.open(connection) || !records.open(table.query())) {
            state.SkipWithError("the table does not open");
            return;
        }
        for (int32_t row = 0; row < screenRows; ++row) {
            readRow(records, row);
        }
    }
}

void jumpToLastRow(benchmark::State& state, const BenchmarkTable& table) {
    Database database(codec);
    if (!database.open(connection)) {
        state.SkipWithError("no connection");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        RecordSet records(database);
        if (!records.open(table.query())) {
            state.SkipWithError("the table does not open");
            return;
        }
        readRow(records, 0);
        state.ResumeTiming();
        readRow(records, records.recordCount() - 1);
        state.PauseTiming();
        // The first column is the key, which counts the rows from 1.
        if (records.fieldText(records.recordCount() - 1, 0) != std::to_string(table.rows)) {
            state.SkipWithError("the last row read is not the table's last");
            return;
        }
        state.ResumeTiming();
    }
}

// Every jump lands in a block that is not cached: the cost of one block fetch.
void jumpToRowsFarApart(benchmark::State& state, const BenchmarkTable& table) {
    Database database(codec);
    RecordSet records(database);
    if (!database.open(connection) || !records.open(table.query())) {
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
void scrollThroughBlocks(benchmark::State& state, const BenchmarkTable& table) {
    const double before = residentMiB();
    Database database(codec);
    RecordSet records(database);
    if (!database.open(connection) || !records.open(table.query())) {
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

void writeOneField(benchmark::State& state, const BenchmarkTable& table) {
    Database database(codec);
    RecordSet records(database);
    if (!database.open(connection) || !records.open(table.query())) {
        state.SkipWithError("the table does not open");
        return;
    }
    int64_t written = 0;
    for (auto _ : state) {
        int32_t row = int32_t((written * 7919) % table.rows);
        if (!records.setFieldText(row, 2, "改过的第" + std::to_string(written) + "行")) {
            state.SkipWithError("the write was refused");
            return;
        }
        ++written;
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    bench::PostgresServer server;
    std::optional<std::string> found = bench::preparedTables(server, "odbc_benchmarks");
    if (!found) return 0;
    connection = *found;
    // Registered benchmark by benchmark, so that the sizes of each are printed together.
    for (const BenchmarkTable& table : bench::kTables) {
        benchmark::RegisterBenchmark(table.benchmarkName("open_with_first_screen").c_str(), openWithFirstScreen, table)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5);
    }
    for (const BenchmarkTable& table : bench::kTables) {
        benchmark::RegisterBenchmark(table.benchmarkName("jump_to_last_row").c_str(), jumpToLastRow, table)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5);
    }
    for (const BenchmarkTable& table : bench::kTables) {
        benchmark::RegisterBenchmark(table.benchmarkName("jump_to_rows_far_apart").c_str(), jumpToRowsFarApart, table)
            ->Unit(benchmark::kMillisecond);
    }
    for (const BenchmarkTable& table : bench::kTables) {
        benchmark::RegisterBenchmark(table.benchmarkName("scroll_through_blocks").c_str(), scrollThroughBlocks, table)
            ->Arg(1000)
            ->Arg(5000)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
    for (const BenchmarkTable& table : bench::kTables) {
        benchmark::RegisterBenchmark(table.benchmarkName("write_one_field").c_str(), writeOneField, table)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
