// The table core on a table of 100,000 rows x 10 columns with a short Chinese text in
// every cell: saving, loading, whole-table cell blocks, inserting and deleting one row at
// the top, setting texts one by one and as one block, reading them as one block,
// deleting every second row at once, and the memory a loaded table takes.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "grid/format/cell_block.h"
#include "grid/format/table_file_io.h"
#include "grid/model/data_source.h"
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

// Short texts of a form: a name, a place, a state, a department, each with a number.
const std::string kWords[] = {"张伟", "北京市", "已付款", "备注", "销售部", "第一季度", "合计", "王芳"};

std::unique_ptr<LoadedTable> filledTable() {
    auto table = std::make_unique<LoadedTable>();
    table->provider.setSize(kRows, kColumns);
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            table->source.setCellText(row, column, kWords[(row + column) % 8] + std::to_string(row % 1000));
        }
    }
    return table;
}

std::string benchmarkFile() {
    return (std::filesystem::temp_directory_path() / "biaoge-benchmark.bge").string();
}

const std::string& savedFile() {
    static const std::string path = [] {
        std::string file = benchmarkFile();
        grid::saveTableFile(filledTable()->source, file);
        malloc_trim(0);
        return file;
    }();
    return path;
}

size_t residentBytes() {
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<size_t>(resident) * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

void loadedTableMemory(benchmark::State& state) {
    const std::string& file = savedFile();
    for (auto _ : state) {
        malloc_trim(0);
        size_t residentBefore = residentBytes();
        size_t heapBefore = mallinfo2().uordblks + mallinfo2().hblkhd;
        auto table = std::make_unique<LoadedTable>();
        grid::loadTableFile(table->source, file);
        malloc_trim(0);
        double cells = double(kRows) * kColumns;
        state.counters["residentBytesPerCell"] = double(residentBytes() - residentBefore) / cells;
        state.counters["heapBytesPerCell"] = double(mallinfo2().uordblks + mallinfo2().hblkhd - heapBefore) / cells;
    }
}
BENCHMARK(loadedTableMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

void saveToFile(benchmark::State& state) {
    auto table = filledTable();
    std::string file = benchmarkFile() + ".saved";
    for (auto _ : state) benchmark::DoNotOptimize(grid::saveTableFile(table->source, file));
    std::filesystem::remove(file);
}
BENCHMARK(saveToFile)->Unit(benchmark::kMillisecond);

void loadFromFile(benchmark::State& state) {
    const std::string& file = savedFile();
    LoadedTable table;
    for (auto _ : state) benchmark::DoNotOptimize(grid::loadTableFile(table.source, file));
}
BENCHMARK(loadFromFile)->Unit(benchmark::kMillisecond);

void wholeTableCellBlock(benchmark::State& state) {
    auto table = filledTable();
    for (auto _ : state) {
        std::vector<uint8_t> block = grid::encodeCellBlock(table->source, {0, 0, kRows, kColumns});
        benchmark::DoNotOptimize(block.data());
    }
}
BENCHMARK(wholeTableCellBlock)->Unit(benchmark::kMillisecond);

void insertRowAtRowOne(benchmark::State& state) {
    auto table = filledTable();
    for (auto _ : state) {
        table->source.insertRows(0, 1);
        state.PauseTiming();
        table->source.deleteRows(0, 1);
        state.ResumeTiming();
    }
}
BENCHMARK(insertRowAtRowOne)->Unit(benchmark::kMillisecond);

void deleteRowAtRowOne(benchmark::State& state) {
    auto table = filledTable();
    for (auto _ : state) {
        table->source.deleteRows(0, 1);
        state.PauseTiming();
        table->source.insertRows(0, 1);
        state.ResumeTiming();
    }
}
BENCHMARK(deleteRowAtRowOne)->Unit(benchmark::kMillisecond);

void setCellText(benchmark::State& state) {
    auto table = filledTable();
    int64_t cells = 0;
    for (auto _ : state) {
        for (int row = 0; row < kRows; ++row) {
            for (int column = 0; column < kColumns; ++column) table->source.setCellText(row, column, "short text");
        }
        cells += int64_t{kRows} * kColumns;
    }
    state.SetItemsProcessed(cells);
}
BENCHMARK(setCellText)->Unit(benchmark::kMillisecond);

// A short Chinese text for every cell, NUL-ended, row by row.
std::string chineseTextBlock() {
    static const char* const kWords[] = {"张三", "李四", "北京", "上海", "合计", "备注"};
    std::string block;
    for (int cell = 0; cell < kRows * kColumns; ++cell) {
        block += kWords[cell % 6];
        block += std::to_string(cell % 100);
        block += '\0';
    }
    return block;
}

void putTexts(benchmark::State& state) {
    auto table = filledTable();
    const std::string block = chineseTextBlock();
    for (auto _ : state) table->source.putTexts(0, 0, kRows, kColumns, block);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kRows * kColumns);
}
BENCHMARK(putTexts)->Unit(benchmark::kMillisecond);

void cellTexts(benchmark::State& state) {
    auto table = filledTable();
    table->source.putTexts(0, 0, kRows, kColumns, chineseTextBlock());
    for (auto _ : state) {
        std::string texts = table->source.cellTexts({0, 0, kRows, kColumns});
        benchmark::DoNotOptimize(texts.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kRows * kColumns);
}
BENCHMARK(cellTexts)->Unit(benchmark::kMillisecond);

// Each round deletes from a fresh copy of the filled table; the copy shares the rows,
// so the deleted rows live on in the original as they would in an Undo state.
void deleteEverySecondRow(benchmark::State& state) {
    const auto filled = filledTable();
    std::vector<int32_t> everySecond;
    for (int32_t row = 0; row < kRows; row += 2) everySecond.push_back(row);
    std::unique_ptr<LoadedTable> table;
    for (auto _ : state) {
        state.PauseTiming();
        table = std::make_unique<LoadedTable>();
        table->provider.replaceTable(grid::Table(filled->provider.table()));
        std::vector<int32_t> rows = everySecond;
        state.ResumeTiming();
        benchmark::DoNotOptimize(table->source.deleteRowSet(std::move(rows)));
    }
}
BENCHMARK(deleteEverySecondRow)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
