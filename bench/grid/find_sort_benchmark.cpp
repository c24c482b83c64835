// Sorting, finding and replacing on a table of 100,000 rows x 10 columns of short texts:
// a sort by one text column and by two keys (a text, then numbers descending), find
// all over every cell (plain text and a regular expression), and replace all of
// 100,000 matches with the undo state the editor keeps after it.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "grid/model/data_source.h"
#include "grid/model/row_sort.h"
#include "grid/model/table_replace.h"
#include "grid/model/table_search.h"
#include "grid/provider/n_provider.h"

namespace {

constexpr int kRows = 100'000;
constexpr int kColumns = 10;

struct LoadedTable {
    grid::FixedTextMeasurer measurer{grid::kHeadlessLetterExtent};
    grid::NProvider provider{measurer};
    grid::DataSrc source;
    LoadedTable() { source.bindProvider(&provider); }
};

// Column 0 a name with a number in random order, column 1 one of eight departments,
// column 2 an amount, column 3 a text that holds "旧" in every row; the rest texts of
// a form.
const grid::Table& filledTable() {
    static const LoadedTable* table = [] {
        auto* loaded = new LoadedTable;
        loaded->provider.setSize(kRows, kColumns);
        const std::string names[] = {"张伟", "王芳", "李娜", "刘洋", "陈静", "杨磊", "赵敏", "黄勇"};
        const std::string departments[] = {"销售部", "财务部", "人事部", "技术部", "市场部", "后勤部", "采购部", "法务部"};
        std::mt19937 random(29);
        for (int row = 0; row < kRows; ++row) {
            grid::DataSrc& source = loaded->source;
            source.setCellText(row, 0, names[random() % 8] + std::to_string(random() % 100000));
            source.setCellText(row, 1, departments[random() % 8]);
            source.setCellText(row, 2, std::to_string(random() % 10000) + "." + std::to_string(random() % 100));
            source.setCellText(row, 3, "旧款" + std::to_string(row % 1000));
            for (int column = 4; column < kColumns; ++column) {
                source.setCellText(row, column, "备注" + std::to_string((row + column) % 1000));
            }
        }
        return loaded;
    }();
    return table->provider.table();
}

// A table of its own that shares the filled table's rows, as the table shown shares
// its rows with the undo states kept before a command.
std::unique_ptr<LoadedTable> freshTable() {
    auto table = std::make_unique<LoadedTable>();
    table->provider.replaceTable(grid::Table(filledTable()));
    return table;
}

void sortRows(benchmark::State& state, std::vector<grid::SortColumn> keys) {
    filledTable();
    for (auto _ : state) {
        state.PauseTiming();
        auto table = freshTable();
        state.ResumeTiming();
        grid::RowSort sort{.firstRow = 0, .lastRow = kRows - 1, .keys = keys, .hasHeaderRow = false};
        if (grid::sortRows(table->source, sort) != grid::SortOutcome::Sorted) state.SkipWithError("not sorted");
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(sortRows, byOneTextColumn, {{0, false}})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sortRows, byTextThenNumberDescending, {{1, false}, {2, true}})->Unit(benchmark::kMillisecond);

void findAll(benchmark::State& state, const char* text, grid::SearchOptions options) {
    auto table = freshTable();
    grid::TextPattern pattern;
    pattern.create(text, options);
    size_t found = 0;
    for (auto _ : state) {
        found = grid::findAll(table->source, {0, 0, kRows, kColumns}, pattern, grid::SearchOrder::ByRows).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = double(found);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kRows * kColumns);
}
BENCHMARK_CAPTURE(findAll, plainText, "李娜1", grid::SearchOptions{})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(findAll, regularExpression, "^李娜1[0-9]*$", grid::SearchOptions{.regularExpression = true})
    ->Unit(benchmark::kMillisecond);

// The state before the command is already in the history, so every row written is
// shared with it and gets its own copy; the state after is what recordTableChange
// keeps.
void replaceAllWithUndoState(benchmark::State& state) {
    filledTable();
    grid::TextPattern pattern;
    pattern.create("旧", {});
    int64_t replaced = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto table = freshTable();
        const int32_t before = table->source.captureState();
        state.ResumeTiming();
        replaced = grid::replaceAll(table->source, {0, 0, kRows, kColumns}, pattern, "新");
        const int32_t after = table->source.captureState();
        state.PauseTiming();
        table->source.releaseState(before);
        table->source.releaseState(after);
        table.reset();
        state.ResumeTiming();
    }
    state.counters["replaced"] = double(replaced);
}
BENCHMARK(replaceAllWithUndoState)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
