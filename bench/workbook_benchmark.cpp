// Figures of the workbook export on a table of 100,000 rows x 10 short Chinese texts,
// written to a file among the temporary files.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "grid/provider/n_provider.h"
#include "grid/xlsx/workbook_export.h"

namespace {

constexpr int kRows = 100'000;
constexpr int kColumns = 10;

const grid::NProvider& sampleTable() {
    static const grid::FixedTextMeasurer measurer({20, 40});
    static grid::NProvider table(measurer);
    if (table.rowCount() == 0) {
        const char* words[] = {"张伟",   "北京市",   "已付款", "备注",
                               "销售部", "第一季度", "合计",   "王芳"};
        table.setSize(kRows, kColumns);
        for (int row = 0; row < kRows; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                table.setText(row, column,
                              std::string(words[(row + column) % 8]) + std::to_string(row % 100));
            }
        }
    }
    return table;
}

void exportWorkbook(benchmark::State& state) {
    const grid::NProvider& table = sampleTable();
    std::string path = (std::filesystem::temp_directory_path() / "biaoge-benchmark.xlsx").string();
    std::string error;
    for (auto _ : state)
        benchmark::DoNotOptimize(grid::xlsx::exportWorkbook(table, path, error));
    std::filesystem::remove(path);
}
BENCHMARK(exportWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
