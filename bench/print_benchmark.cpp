// Figures of printing a table of 100,000 rows x 10 framed cells of short Chinese
// texts: the page layout and the preview window opening with its first page, and the
// whole print into a PDF file among the temporary files, with the memory it took
// beyond the table.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <filesystem>
#include <string>

#include "grid/model/data_source.h"
#include "grid/print/print_job.h"
#include "grid/print/print_plan.h"
#include "grid/print/print_preview.h"
#include "grid/print/printer_choice.h"
#include "grid/provider/n_provider.h"
#include "grid/view/font_substitutions.h"
#include "grid/view/grid_widget.h"

namespace {

constexpr int kRows = 100'000;
constexpr int kColumns = 10;

struct SampleTable {
    SampleTable() : provider(measurer) {
        source.bindProvider(&provider);
        const char* words[] = {"张伟", "北京市", "已付款", "备注", "销售部", "第一季度", "合计", "王芳"};
        provider.setSize(kRows, kColumns);
        provider.setColumnWidths(0, kColumns, 160);
        for (int row = 0; row < kRows; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                provider.setText(row, column, std::string(words[(row + column) % 8]) + std::to_string(row % 100));
            }
        }
        source.drawLines({0, 0, kRows, kColumns}, 0x3F);
    }
    grid::FixedTextMeasurer measurer{{20, 40}};
    grid::NProvider provider;
    grid::DataSrc source;
};

SampleTable& sampleTable() {
    static SampleTable table;
    return table;
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void layOutPreview(benchmark::State& state) {
    SampleTable& table = sampleTable();
    const grid::PageSettings& settings = table.provider.pageSettings();
    size_t pages = 0;
    for (auto _ : state) {
        grid::PrintPlan plan = grid::planPrint(table.provider, settings, grid::paperMetricsFor(settings));
        pages = plan.pages.size();
        benchmark::DoNotOptimize(plan);
    }
    state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(layOutPreview)->Unit(benchmark::kMillisecond);

// The preview window opened on the table and its first page painted, as a person
// sees it.
void openPreview(benchmark::State& state) {
    SampleTable& table = sampleTable();
    grid::GridWidget grid;
    grid.setDataSource(&table.source);
    for (auto _ : state) {
        grid::PrintPreviewWindow* preview = grid::PrintPreviewWindow::open(grid);
        preview->repaint();
        QApplication::processEvents();
        delete preview;
    }
}
BENCHMARK(openPreview)->Unit(benchmark::kMillisecond);

void printToPdf(benchmark::State& state) {
    SampleTable& table = sampleTable();
    const std::string path = (std::filesystem::temp_directory_path() / "biaoge-benchmark.pdf").string();
    grid::PageSettings settings = table.provider.pageSettings();
    settings.printToFile = 1;
    settings.printFileName = path;
    table.provider.setPageSettings(settings);
    const long before = peakKilobytes();
    for (auto _ : state) benchmark::DoNotOptimize(grid::printTable(table.source, {}, nullptr));
    state.counters["peakGrowthMiB"] = static_cast<double>(peakKilobytes() - before) / 1024;
    state.counters["pdfMiB"] = static_cast<double>(std::filesystem::file_size(path)) / (1024 * 1024);
    std::filesystem::remove(path);
}
BENCHMARK(printToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    grid::installFontSubstitutions();
    sampleTable();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
