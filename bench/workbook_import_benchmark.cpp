// Figures of opening a workbook of 100,000 rows x 10 columns, short Chinese texts and
// numbers in turn, as openpyxl writes it: reading the package and making the sheet
// into a table. The workbook is made once among the temporary files by the script
// beside this file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "grid/model/table.h"
#include "grid/workbook/package_repair.h"
#include "grid/workbook/workbook_reader.h"

namespace {

const std::string& bigWorkbook() {
    static const std::string path = [] {
        std::string file = (std::filesystem::temp_directory_path() / "biaoge-benchmark-import.xlsx").string();
        if (!std::filesystem::exists(file)) {
            std::string command = "/usr/bin/python3 " MAKE_BIG_WORKBOOK_SCRIPT " " + file;
            if (std::system(command.c_str()) != 0) std::filesystem::remove(file);
        }
        return file;
    }();
    return path;
}

void openBigWorkbook(benchmark::State& state) {
    const std::string& file = bigWorkbook();
    for (auto _ : state) {
        grid::workbook::WorkbookReader reader;
        grid::Table table({58, 312});
        if (reader.read(file, grid::workbook::WorkbookKind::Xlsx) != grid::workbook::WorkbookError::None ||
            reader.buildSheet(0, table) != grid::workbook::WorkbookError::None) {
            state.SkipWithError("the workbook could not be made or read");
            return;
        }
        benchmark::DoNotOptimize(table.rowCount());
    }
}
BENCHMARK(openBigWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);

// The part of the opening that makes the package again with the cells' own texts
// shared, which the library cannot read otherwise.
void repairBigWorkbook(benchmark::State& state) {
    std::ifstream file(bigWorkbook(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    for (auto _ : state) {
        grid::workbook::PackageFacts facts;
        benchmark::DoNotOptimize(grid::workbook::repairedPackage(bytes, facts));
    }
}
BENCHMARK(repairBigWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
