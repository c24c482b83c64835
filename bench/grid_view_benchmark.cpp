// Figures of the grid view side by side on 1,000 rows and on 1,000,000 rows (10,000,000
// cells), every cell holding a short text: painting a full window, scrolling by one
// row, moving the cursor, opening and committing an edit, and the same with the undo
// state the editor keeps after it. Painting and moving the cursor are also measured
// with a screen reader listening, one that reads out every cell it is told of.
#include <benchmark/benchmark.h>

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "grid/provider/n_provider.h"
#include "grid/view/grid_accessibility.h"
#include "tests/support/reader_listening.h"
#include "grid/view/grid_widget.h"
#include "grid/view/qt_text_measurer.h"

namespace {

constexpr QSize kWindow(1280, 800);
constexpr int kColumns = 10;

// A table of the given size with a short text in every cell, shown in a 1280 x 800
// grid scrolled to its middle row.
struct ShownTable {
    explicit ShownTable(int rows) : provider(measurer) {
        provider.setSize(rows, kColumns);
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                provider.setText(row, column, std::to_string(row * 7 + column) + ".25");
            }
        }
        source.bindProvider(&provider);
        grid.setDataSource(&source);
        grid.resize(kWindow);
        grid.show();
        QApplication::processEvents();
        grid.scrollTo(middle(), 0);
        image = QImage(grid.viewport()->size(), QImage::Format_RGB32);
    }
    int middle() const { return provider.rowCount() / 2; }
    void paint() { grid.viewport()->render(&image); }

    grid::QtTextMeasurer measurer;
    grid::NProvider provider;
    grid::DataSrc source;
    grid::GridWidget grid;
    QImage image;
    std::deque<int32_t> states;
};

// Made on first use and dropped before the application ends, as widgets must be.
std::map<int, std::unique_ptr<ShownTable>> tables;

ShownTable& tableOf(int rows) {
    std::unique_ptr<ShownTable>& table = tables[rows];
    if (!table) table = std::make_unique<ShownTable>(rows);
    return *table;
}

// What a screen reader does with each event: asks the object it names for its text.
void readAloud(QAccessibleEvent* event) {
    if (QAccessibleInterface* source = event->accessibleInterface()) {
        benchmark::DoNotOptimize(source->text(QAccessible::Name));
    }
}

// The second argument says whether a reader listens.
void listenIf(const benchmark::State& state) { setReaderListening(state.range(1) != 0); }

void paintFullWindow(benchmark::State& state) {
    ShownTable& table = tableOf(static_cast<int>(state.range(0)));
    listenIf(state);
    for (auto _ : state) table.paint();
    setReaderListening(false);
}
BENCHMARK(paintFullWindow)->ArgsProduct({{1'000, 1'000'000}, {0, 1}})->Unit(benchmark::kMillisecond);

// Down and Up in turn through the keyboard path, with the repaint of the cursor.
void moveCursorOneRow(benchmark::State& state) {
    ShownTable& table = tableOf(static_cast<int>(state.range(0)));
    QApplication::setActiveWindow(&table.grid);
    table.grid.setFocus();
    table.grid.selectCell(table.middle() + 3, 2);
    listenIf(state);
    int step = 0;
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, ++step % 2 ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(&table.grid, &press);
        QApplication::processEvents();
    }
    setReaderListening(false);
}
BENCHMARK(moveCursorOneRow)->ArgsProduct({{1'000, 1'000'000}, {0, 1}})->Unit(benchmark::kMicrosecond);

// Scrolls the way a shown window does: the grid marks what needs painting, and the
// posted update paints it into the window's backing store. Rendering the viewport
// into an image instead would always repaint all of it.
void scrollOneRowAndRepaint(benchmark::State& state) {
    ShownTable& table = tableOf(static_cast<int>(state.range(0)));
    const int middle = table.middle();
    table.grid.scrollTo(middle, 0);
    QApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        table.grid.scrollTo(middle + (++step % 2), 0);
        QApplication::processEvents();
    }
}
BENCHMARK(scrollOneRowAndRepaint)->Arg(1'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void openAndCommitEdit(benchmark::State& state) {
    ShownTable& table = tableOf(static_cast<int>(state.range(0)));
    table.grid.selectCell(table.middle() + 5, 3);
    int step = 0;
    for (auto _ : state) {
        table.grid.startEdit(QString::number(step++));
        table.grid.commitEdit();
    }
    QApplication::processEvents();
}
BENCHMARK(openAndCommitEdit)->Arg(1'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

// Typing into a cell as the editor does it: the edit, the undo state kept after it
// (the oldest of fifty let go) and the repaint.
void typeIntoCellWithUndoState(benchmark::State& state) {
    ShownTable& table = tableOf(static_cast<int>(state.range(0)));
    table.grid.selectCell(table.middle() + 6, 4);
    int step = 0;
    for (auto _ : state) {
        table.grid.startEdit(QString::number(step++));
        table.grid.commitEdit();
        table.states.push_back(table.source.captureState());
        if (table.states.size() > 50) {
            table.source.releaseState(table.states.front());
            table.states.pop_front();
        }
        QApplication::processEvents();
    }
}
BENCHMARK(typeIntoCellWithUndoState)->Arg(1'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // The same headless platform as the widget tests, so figures do not depend on a
    // display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    QApplication application(argc, argv);
    grid::installGridAccessibility();
    QAccessible::installUpdateHandler(readAloud);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    tables.clear();
    return 0;
}
