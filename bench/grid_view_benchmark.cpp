// Figures of the grid view: painting a full window on a small and a huge table,
// scrolling by one row, and opening and committing an edit.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <memory>
#include <string>

#include "grid/provider/n_provider.h"
#include "grid/view/grid_widget.h"
#include "grid/view/qt_text_measurer.h"

namespace {

constexpr QSize kWindow(1280, 800);
constexpr int kColumns = 10;
// More rows than a 1280 x 800 window shows at the default row height.
constexpr int kRowsShown = 60;

// A table of the given size whose rows around `firstShown` hold text in every cell,
// shown in a 1280 x 800 grid scrolled to that row.
struct ShownTable {
    ShownTable(int rows, int firstShown) : provider(measurer) {
        source.bindProvider(&provider);
        provider.setSize(rows, kColumns);
        for (int row = firstShown; row < std::min(rows, firstShown + kRowsShown); ++row) {
            for (int column = 0; column < kColumns; ++column) {
                source.setCellText(row, column, std::to_string(row * 7 + column) + ".25");
            }
        }
        grid.setDataSource(&source);
        grid.resize(kWindow);
        grid.show();
        QApplication::processEvents();
        grid.scrollTo(firstShown, 0);
        image = QImage(grid.viewport()->size(), QImage::Format_RGB32);
    }
    void paint() { grid.viewport()->render(&image); }

    grid::QtTextMeasurer measurer;
    grid::NProvider provider;
    grid::DataSrc source;
    grid::GridWidget grid;
    QImage image;
};

// Made on first use and dropped before the application ends, as widgets must be.
std::unique_ptr<ShownTable> smallTable, hugeTable;

ShownTable& tableOf(int rows) {
    auto& table = rows <= 100 ? smallTable : hugeTable;
    if (!table) table = std::make_unique<ShownTable>(rows, rows <= 100 ? 0 : rows / 2);
    return *table;
}

void paintFullWindow(benchmark::State& state) {
    ShownTable& table = tableOf(static_cast<int>(state.range(0)));
    for (auto _ : state) table.paint();
}
BENCHMARK(paintFullWindow)->Arg(100)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// Scrolls the way a shown window does: the grid marks what needs painting, and the
// posted update paints it into the window's backing store. Rendering the viewport
// into an image instead would always repaint all of it.
void scrollOneRowAndRepaint(benchmark::State& state) {
    ShownTable& table = tableOf(1'000'000);
    const int middle = 500'000;
    table.grid.scrollTo(middle, 0);
    QApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        table.grid.scrollTo(middle + (++step % 2), 0);
        QApplication::processEvents();
    }
}
BENCHMARK(scrollOneRowAndRepaint)->Unit(benchmark::kMillisecond);

void openAndCommitEdit(benchmark::State& state) {
    ShownTable& table = tableOf(static_cast<int>(state.range(0)));
    const int row = state.range(0) <= 100 ? 5 : 500'005;
    table.grid.selectCell(row, 3);
    int step = 0;
    for (auto _ : state) {
        table.grid.startEdit(QString::number(step++));
        table.grid.commitEdit();
    }
    QApplication::processEvents();
}
BENCHMARK(openAndCommitEdit)->Arg(100)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // The same headless platform as the widget tests, so figures do not depend on a
    // display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    smallTable.reset();
    hugeTable.reset();
    return 0;
}
