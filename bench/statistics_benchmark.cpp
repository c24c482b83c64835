// Figures of the statistics menu and the formula command in the running main window
// (offscreen), on a table of 100,000 rows x 10 columns of numbers: totals into a free
// last column, multiplying every cell in place, and formulas in 100,000 cells.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>
#include <string>

#include "app/application.h"
#include "app/state/app_state.h"
#include "app/statistics/formula_command.h"
#include "app/statistics/statistics_commands.h"
#include "app/units/data_source_ref.h"
#include "app/window_ids.h"
#include "grid/view/grid_widget.h"
#include "runtime/window/unit.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/window_runtime.h"

namespace {

constexpr int kRows = 100'000;
constexpr int kColumns = 10;

grid::GridWidget& grid() {
    rt::Unit* unit = rt::WindowRuntime::instance().loadedUnit(app::window_id::MainWindow, app::main_unit::Grid);
    return *qobject_cast<grid::GridWidget*>(unit->widget());
}

// The main window with a fresh table of numbers; the last column stays free.
void loadTable(int columns, const std::string& text) {
    rt::WindowRuntime::instance().destroyWindow(app::window_id::MainWindow);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    app::createAppState();
    rt::WindowRuntime::instance().loadWindow(app::window_id::MainWindow);
    rt::UnitAccess(app::window_id::MainWindow, app::main_unit::Provider).setInteger(8, kRows);
    rt::UnitAccess(app::window_id::MainWindow, app::main_unit::Provider).setInteger(9, columns + 1);
    app::DataSourceRef table = app::mainDataSource();
    for (int row = 1; row <= kRows; ++row) {
        for (int column = 1; column <= columns; ++column) table.setCellText(row, column, text);
    }
    grid().selectCell(0, 0);
    grid().extendSelection(kRows - 1, columns);
    QApplication::processEvents();
}

void sumIntoFreeLastColumn(benchmark::State& state) {
    loadTable(kColumns, "12.5");
    for (auto _ : state) {
        app::aggregateSelection(app::Aggregate::Sum);
        QApplication::processEvents();
        state.PauseTiming();
        app::mainDataSource().clearCells(1, kColumns + 1, kRows, 1);
        state.ResumeTiming();
    }
}
BENCHMARK(sumIntoFreeLastColumn)->Unit(benchmark::kMillisecond)->Iterations(3);

void multiplyInPlace(benchmark::State& state) {
    loadTable(kColumns, "12.5");
    app::mainDataSource().setCellText(1, kColumns + 1, "1");
    for (auto _ : state) {
        app::applyNumberToSelection("乘以", 1.17);
        QApplication::processEvents();
    }
}
BENCHMARK(multiplyInPlace)->Unit(benchmark::kMillisecond)->Iterations(3);

void formulasInPlace(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        loadTable(1, "12*(3+4)=");
        app::mainDataSource().setCellText(1, 2, "x");
        state.ResumeTiming();
        app::computeFormulas();
        QApplication::processEvents();
    }
}
BENCHMARK(formulasInPlace)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    // Start-up registers the table file type in the user's directories and looks for
    // recovery copies in the state directory: keep both out.
    char folder[] = "/tmp/biaoge-bench-XXXXXX";
    const std::filesystem::path home = mkdtemp(folder);
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    setenv("XDG_STATE_HOME", (home / "state").c_str(), 1);
    QApplication application(argc, argv);
    app::initialiseRuntime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    rt::WindowRuntime::instance().destroyWindow(app::window_id::MainWindow);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::filesystem::remove_all(home);
    return 0;
}
