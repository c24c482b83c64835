// What a person waits for on a PostgreSQL table of 1,000,000 rows x 10 columns shown in
// the grid through the external provider: the first screen after the query is
// confirmed, Ctrl+End to the last row, and scrolling screen by screen with the growth
// of the process's memory. The grid paints into an image on the offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <memory>
#include <string>

#include "bench/postgres_table.h"
#include "grid/model/data_source.h"
#include "grid/provider/odbc_provider.h"
#include "grid/units/gbk_text_codec.h"
#include "grid/view/grid_widget.h"
#include "grid/view/qt_text_measurer.h"

namespace {

constexpr QSize kWindow(1280, 800);
std::string connection;

// The main window's grid bound to an external provider that has nothing open yet, as
// it is when 确定 of the query dialog is pressed.
struct ShownDatabase {
    ShownDatabase() : provider(measurer, codec) {
        source.bindProvider(&provider);
        grid.setDataSource(&source);
        grid.resize(kWindow);
        grid.show();
        QApplication::processEvents();
        image = QImage(grid.viewport()->size(), QImage::Format_RGB32);
    }
    // The query dialog's 确定: the provider opens the table and the grid shows it.
    bool open() {
        if (!provider.open(connection, "百万行")) return false;
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
    grid::OdbcProvider provider;
    grid::DataSrc source;
    grid::GridWidget grid;
    QImage image;
};

void firstScreenAfterTheQuery(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto shown = std::make_unique<ShownDatabase>();
        state.ResumeTiming();
        if (!shown->open()) {
            state.SkipWithError(shown->provider.lastError().c_str());
            return;
        }
        state.PauseTiming();
        shown.reset();
        state.ResumeTiming();
    }
}

void controlEndToTheLastRow(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto shown = std::make_unique<ShownDatabase>();
        if (!shown->open()) {
            state.SkipWithError(shown->provider.lastError().c_str());
            return;
        }
        state.ResumeTiming();
        shown->press(Qt::Key_End, Qt::ControlModifier);
        state.PauseTiming();
        if (shown->grid.scrollRow() < bench::kTableRows - 100) {
            state.SkipWithError("Ctrl+End did not reach the last rows");
            return;
        }
        shown.reset();
        state.ResumeTiming();
    }
}

// Page Down from the top through range(0) screens, each painted.
void pageDownScreenByScreen(benchmark::State& state) {
    const double before = bench::residentMiB();
    ShownDatabase shown;
    if (!shown.open()) {
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
    std::optional<std::string> found = bench::millionRows(server, "odbc_grid_benchmarks");
    if (!found) return 0;
    connection = *found;
    benchmark::RegisterBenchmark("first_screen_after_the_query", firstScreenAfterTheQuery)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("control_end_to_the_last_row", controlEndToTheLastRow)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("page_down_screen_by_screen", pageDownScreenByScreen)
        ->Arg(2000)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
