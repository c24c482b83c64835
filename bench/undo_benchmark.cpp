// Figures of the undo states on 100,000 rows x 10 columns with a short text in every
// cell, shown in a 1280 x 800 grid: committing a typed cell with its undo state, the
// memory fifty such edits add, and Undo and Redo of one edit and of a paste over the
// whole table, each with the repaint it causes. The whole-table cell block that undo
// states used to be is measured beside them.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <QApplication>
#include <deque>
#include <fstream>
#include <memory>
#include <string>

#include "grid/format/cell_block.h"
#include "grid/provider/n_provider.h"
#include "grid/view/grid_widget.h"
#include "grid/view/qt_text_measurer.h"

namespace {

constexpr int kRows = 100'000;
constexpr int kColumns = 10;
constexpr size_t kKeptStates = 50;

struct ShownTable {
    ShownTable() : provider(measurer) {
        source.bindProvider(&provider);
        provider.setSize(kRows, kColumns);
        for (int row = 0; row < kRows; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                source.setCellText(row, column, "文字 " + std::to_string(row * kColumns + column));
            }
        }
        grid.setDataSource(&source);
        grid.resize(1280, 800);
        grid.show();
        QApplication::processEvents();
    }
    // Keeps a state as the application does after a change, dropping the oldest
    // beyond fifty.
    void keepState() {
        states.push_back(source.captureState());
        if (states.size() > kKeptStates) {
            source.releaseState(states.front());
            states.pop_front();
        }
    }

    grid::QtTextMeasurer measurer;
    grid::NProvider provider;
    grid::DataSrc source;
    grid::GridWidget grid;
    std::deque<int32_t> states;
};

std::unique_ptr<ShownTable> shown;

ShownTable& table() {
    if (!shown) shown = std::make_unique<ShownTable>();
    return *shown;
}

size_t residentBytes() {
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<size_t>(resident) * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

void commitTypedCellWithUndoState(benchmark::State& state) {
    ShownTable& t = table();
    t.grid.selectCell(20, 3);
    int step = 0;
    for (auto _ : state) {
        t.grid.startEdit(QString::number(step++));
        t.grid.commitEdit();
        t.keepState();
        QApplication::processEvents();
    }
}
BENCHMARK(commitTypedCellWithUndoState)->Unit(benchmark::kMillisecond);

void wholeTableCellBlockPerEdit(benchmark::State& state) {
    ShownTable& t = table();
    for (auto _ : state) {
        std::vector<uint8_t> block = grid::encodeCellBlock(t.source, {0, 0, kRows, kColumns});
        benchmark::DoNotOptimize(block.data());
    }
}
BENCHMARK(wholeTableCellBlockPerEdit)->Unit(benchmark::kMillisecond);

size_t heapBytes() {
    struct mallinfo2 heap = mallinfo2();
    return heap.uordblks + heap.hblkhd;
}

// Resident memory can stay flat when the heap reuses pages freed before, so the
// bytes the heap hands out are counted too.
void fiftySingleCellEditsMemory(benchmark::State& state) {
    ShownTable& t = table();
    // From an empty history, so that no state is dropped while the fifty are kept.
    for (int32_t kept : t.states) t.source.releaseState(kept);
    t.states.clear();
    for (auto _ : state) {
        malloc_trim(0);
        size_t residentBefore = residentBytes();
        size_t heapBefore = heapBytes();
        for (int edit = 0; edit < 50; ++edit) {
            t.source.setCellText(edit * 1999 % kRows, edit % kColumns, "改 " + std::to_string(edit));
            t.keepState();
        }
        malloc_trim(0);
        constexpr double kMiB = 1024.0 * 1024.0;
        state.counters["addedResidentMiB"] = (double(residentBytes()) - double(residentBefore)) / kMiB;
        state.counters["addedHeapMiB"] = (double(heapBytes()) - double(heapBefore)) / kMiB;
    }
}
BENCHMARK(fiftySingleCellEditsMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// Undo and Redo alternately between the states before and after one change.
void alternateStates(benchmark::State& state, int32_t before, int32_t after) {
    ShownTable& t = table();
    bool back = true;
    for (auto _ : state) {
        t.source.restoreState(back ? before : after);
        QApplication::processEvents();
        back = !back;
    }
}

void undoRedoSingleCellEdit(benchmark::State& state) {
    ShownTable& t = table();
    int32_t before = t.source.captureState();
    t.source.setCellText(30, 4, "撤销");
    int32_t after = t.source.captureState();
    alternateStates(state, before, after);
    t.source.releaseState(before);
    t.source.releaseState(after);
}
BENCHMARK(undoRedoSingleCellEdit)->Unit(benchmark::kMillisecond);

void undoRedoWholeTablePaste(benchmark::State& state) {
    ShownTable& t = table();
    std::vector<uint8_t> block = grid::encodeCellBlock(t.source, {0, 0, kRows, kColumns});
    t.source.setCellText(0, 0, "粘贴前");
    int32_t before = t.source.captureState();
    grid::pasteCellBlock(t.source, 0, 0, block, {.grow = true});
    int32_t after = t.source.captureState();
    alternateStates(state, before, after);
    t.source.releaseState(before);
    t.source.releaseState(after);
}
BENCHMARK(undoRedoWholeTablePaste)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    shown.reset();
    return 0;
}
