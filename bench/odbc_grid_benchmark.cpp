// What a person waits for on PostgreSQL tables of 1,000,000 and 10,000,000 rows x 10
// columns shown in the grid through the external provider, each benchmark once per
// table ("/1M", "/10M"): the first screen after the query is confirmed, Ctrl+End to
// the last row, the scroll bar's thumb dragged to the middle, scrolling screen by
// screen with the growth of the process's memory, and one field written. The grid
// paints into an image on the offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "bench/postgres_table.h"
#include "grid/model/data_source.h"
#include "grid/provider/odbc_provider.h"
#include "grid/units/gbk_text_codec.h"
#include "grid/view/grid_widget.h"
#include "grid/view/qt_text_measurer.h"

namespace {

using bench::BenchmarkTable;

constexpr QSize kWindow(1280, 800);
// 名称, a text column.
constexpr int32_t kTextColumn = 2;
std::string connection;

// The main window's grid bound to an external provider that has nothing open yet, as
// it is when 确定 of the query dialog is pressed. As in the editor, a huge table opens
// with the database's estimate of its rows and is counted in the background.
struct ShownDatabase {
    ShownDatabase() : provider(measurer, codec) {
        provider.setCountListener([this] {
            QMetaObject::invokeMethod(&countReceiver, [this] { provider.settleCount(); }, Qt::QueuedConnection);
        });
        source.bindProvider(&provider);
        grid.setDataSource(&source);
        grid.resize(kWindow);
        grid.show();
        QApplication::processEvents();
        image = QImage(grid.viewport()->size(), QImage::Format_RGB32);
    }
    // The query dialog's 确定: the provider opens the table and the grid shows it.
    bool open(const BenchmarkTable& table) {
        if (!provider.open(connection, table.name)) return false;
        source.notifyTableReset();
        paint();
        return true;
    }
    void paint() {
        QApplication::processEvents();
        grid.viewport()->render(&image);
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&grid, &event);
        paint();
    }

    grid::QtTextMeasurer measurer;
    grid::GbkTextCodec codec;
    QObject countReceiver;
    grid::OdbcProvider provider;
    grid::DataSrc source;
    grid::GridWidget grid;
    QImage image;
};

// Each iteration on a fresh grid, as a person meets the table after the query's 确定:
// the opening timed or not, then the step, which says what went wrong, if anything.
template <typename Step>
void onFreshGrids(benchmark::State& state, const BenchmarkTable& table, bool timeTheOpening, Step step) {
    for (auto _ : state) {
        state.PauseTiming();
        auto shown = std::make_unique<ShownDatabase>();
        if (timeTheOpening) state.ResumeTiming();
        if (!shown->open(table)) {
            state.SkipWithError(shown->provider.lastError().c_str());
            return;
        }
        if (!timeTheOpening) state.ResumeTiming();
        const char* failure = step(*shown);
        state.PauseTiming();
        if (failure) {
            state.SkipWithError(failure);
            return;
        }
        shown.reset();
        state.ResumeTiming();
    }
}

void firstScreenAfterTheQuery(benchmark::State& state, const BenchmarkTable& table) {
    onFreshGrids(state, table, true, [](ShownDatabase&) -> const char* { return nullptr; });
}

// From the query's 确定 until the rows are counted and the grid shows their true
// number; the first screen came long before.
void rowsCountedAfterTheQuery(benchmark::State& state, const BenchmarkTable& table) {
    onFreshGrids(state, table, true, [&table](ShownDatabase& shown) -> const char* {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (shown.provider.rowCount() != table.rows) {
            if (std::chrono::steady_clock::now() > giveUp) return "the rows were not counted within a minute";
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        }
        shown.paint();
        return nullptr;
    });
}

void controlEndToTheLastRow(benchmark::State& state, const BenchmarkTable& table) {
    onFreshGrids(state, table, false, [&table](ShownDatabase& shown) -> const char* {
        shown.press(Qt::Key_End, Qt::ControlModifier);
        return shown.grid.scrollRow() < table.rows - 100 ? "Ctrl+End did not reach the last rows" : nullptr;
    });
}

// The thumb of the vertical scroll bar dragged to the middle of its range: the rows
// there are read and painted.
void middleWithTheScrollBar(benchmark::State& state, const BenchmarkTable& table) {
    onFreshGrids(state, table, false, [&table](ShownDatabase& shown) -> const char* {
        QScrollBar* bar = shown.grid.verticalScrollBar();
        bar->setValue((bar->minimum() + bar->maximum()) / 2);
        shown.paint();
        return std::abs(shown.grid.scrollRow() - table.rows / 2) > table.rows / 100
                   ? "the scroll bar did not bring the middle rows"
                   : nullptr;
    });
}

// A field of the text column written through the provider, as the grid's in-place
// edit does, and the cell painted again. Each write is on a row far from the last one,
// brought onto the screen first, as a person sees the cell before typing into it.
void writeOneField(benchmark::State& state, const BenchmarkTable& table) {
    ShownDatabase shown;
    if (!shown.open(table)) {
        state.SkipWithError(shown.provider.lastError().c_str());
        return;
    }
    std::mt19937 random(11);
    std::uniform_int_distribution<int32_t> rows(0, table.rows - 1);
    int64_t written = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int32_t row = rows(random);
        shown.grid.scrollTo(std::max(row - 5, 0), 0);
        shown.paint();
        const std::string text = "改过的第" + std::to_string(written) + "行";
        state.ResumeTiming();
        if (!shown.provider.setText(row, kTextColumn, text)) {
            state.SkipWithError(shown.provider.lastError().c_str());
            return;
        }
        shown.source.notify({.kind = grid::ModelNotice::Kind::Cells,
                             .row = row,
                             .column = kTextColumn,
                             .rowCount = 1,
                             .columnCount = 1});
        shown.paint();
        state.PauseTiming();
        std::optional<grid::Cell> cell = shown.source.cellAt(row, kTextColumn, true);
        if (!cell || cell->text() != text) {
            state.SkipWithError("the grid does not show the written text");
            return;
        }
        ++written;
        state.ResumeTiming();
    }
}

// Page Down from the top through range(0) screens, each painted. The memory figures
// hold only when this runs alone (--benchmark_filter): the memory that earlier
// benchmarks of the process freed is used again by the opening without growth.
void pageDownScreenByScreen(benchmark::State& state, const BenchmarkTable& table) {
    const double before = bench::residentMiB();
    ShownDatabase shown;
    if (!shown.open(table)) {
        state.SkipWithError(shown.provider.lastError().c_str());
        return;
    }
    const double opened = bench::residentMiB();
    double peak = opened;
    for (auto _ : state) {
        for (int64_t screen = 0; screen < state.range(0); ++screen) {
            shown.press(Qt::Key_PageDown);
            if (screen % 100 == 0) peak = std::max(peak, bench::residentMiB());
        }
    }
    state.counters["rows_reached"] = shown.grid.scrollRow();
    state.counters["open_growth_MiB"] = opened - before;
    state.counters["scroll_growth_MiB"] = std::max(peak, bench::residentMiB()) - opened;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    bench::PostgresServer server;
    std::optional<std::string> found = bench::preparedTables(server, "odbc_grid_benchmarks");
    if (!found) return 0;
    connection = *found;
    struct Measured {
        const char* name;
        void (*run)(benchmark::State&, const BenchmarkTable&);
        int64_t iterations;
    };
    // Each write also costs an untimed scroll to its row, hence a fixed count.
    const Measured measured[] = {
        {"first_screen_after_the_query", firstScreenAfterTheQuery, 5},
        {"rows_counted_after_the_query", rowsCountedAfterTheQuery, 3},
        {"control_end_to_the_last_row", controlEndToTheLastRow, 5},
        {"middle_with_the_scroll_bar", middleWithTheScrollBar, 5},
        {"page_down_screen_by_screen", pageDownScreenByScreen, 1},
        {"write_one_field", writeOneField, 100},
    };
    // Registered benchmark by benchmark, so that the sizes of each are printed together.
    for (const Measured& m : measured) {
        for (const BenchmarkTable& table : bench::kTables) {
            benchmark::internal::Benchmark* registered =
                benchmark::RegisterBenchmark(table.benchmarkName(m.name).c_str(), m.run, table);
            registered->Unit(benchmark::kMillisecond)->Iterations(m.iterations);
            if (m.run == pageDownScreenByScreen) registered->Arg(2000);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
