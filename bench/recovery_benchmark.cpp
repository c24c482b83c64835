// The pause a recovery copy costs the interface thread on a table of 1,000,000 cells
// (100,000 rows x 10 columns of short texts): taking the snapshot, describing it and
// handing both to the worker. Beside it, in the same run: saving the table on the
// interface thread (what every copy would cost without the worker), the worker's
// own write, and the first edit after a snapshot, which copies the rows it writes to.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "app/recovery/recovery_description.h"
#include "app/recovery/recovery_folders.h"
#include "app/recovery/serial_worker.h"
#include "app/units/table_snapshot.h"
#include "app/window_ids.h"
#include "grid/format/table_file_io.h"
#include "grid/model/data_source.h"
#include "grid/provider/n_provider.h"
#include "runtime/value/unit_registry.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 100'000;
constexpr int kColumns = 10;

// The data source of the main window as the snapshot finds it, without the window.
struct MainTable {
    MainTable() : provider(measurer) {
        source.bindProvider(&provider);
        provider.setSize(kRows, kColumns);
        for (int row = 0; row < kRows; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                source.setCellText(row, column, "文字 " + std::to_string(row * kColumns + column));
            }
        }
        rt::registerUnitObject(unit, &source);
    }
    ~MainTable() { rt::unregisterUnitObject(unit); }

    grid::FixedTextMeasurer measurer{grid::kHeadlessLetterExtent};
    grid::NProvider provider;
    grid::DataSrc source;
    rt::UnitRef unit{app::window_id::MainWindow, app::main_unit::DataSource, rt::unit_kind::DataSrc};
};

MainTable& mainTable() {
    static MainTable table;
    return table;
}

fs::path folder() {
    static const fs::path made = [] {
        fs::path path = fs::temp_directory_path() / "biaoge-recovery-benchmark";
        fs::create_directories(path);
        return path;
    }();
    return made;
}

void snapshotAndHandOver(benchmark::State& state) {
    mainTable();
    app::SerialWorker worker;
    for (auto _ : state) {
        app::TableSnapshot snapshot = app::TableSnapshot::ofMainTable();
        app::RecoveryDescription description{"", "表格1", app::localTimeText(std::chrono::system_clock::now())};
        worker.post([snapshot, description] {
            app::writeRecoveryDescription(folder() / app::kDescriptionFileName, description);
            snapshot.saveTo(folder() / app::kCopyFileName);
        });
        state.PauseTiming();
        worker.drain();
        state.ResumeTiming();
    }
}
// Each copy is written out before the next is taken, outside the measured pause;
// a fixed count keeps the run from writing thousands of them.
BENCHMARK(snapshotAndHandOver)->Unit(benchmark::kMillisecond)->Iterations(20);

void saveOnTheInterfaceThread(benchmark::State& state) {
    const std::string file = (folder() / "saved.bge").string();
    for (auto _ : state) benchmark::DoNotOptimize(grid::saveTableFile(mainTable().source, file));
}
BENCHMARK(saveOnTheInterfaceThread)->Unit(benchmark::kMillisecond)->Iterations(5);

void workerWritesTheCopy(benchmark::State& state) {
    app::TableSnapshot snapshot = app::TableSnapshot::ofMainTable();
    for (auto _ : state) benchmark::DoNotOptimize(snapshot.saveTo(folder() / app::kCopyFileName));
}
BENCHMARK(workerWritesTheCopy)->Unit(benchmark::kMillisecond)->Iterations(5);

// One typed cell in a different row each time, right after a snapshot was taken.
void firstEditAfterASnapshot(benchmark::State& state) {
    int row = 0;
    for (auto _ : state) {
        state.PauseTiming();
        app::TableSnapshot snapshot = app::TableSnapshot::ofMainTable();
        row = (row + 7919) % kRows;
        state.ResumeTiming();
        mainTable().source.setCellText(row, 3, "改过");
        state.PauseTiming();
        snapshot = app::TableSnapshot();
        state.ResumeTiming();
    }
}
BENCHMARK(firstEditAfterASnapshot)->Unit(benchmark::kMicrosecond)->Iterations(1000);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(folder(), ignored);
    return 0;
}
