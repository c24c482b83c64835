// Figures of text import and export and of the data filter on a GBK text of 100,000
// lines x 10 fields (ids, Chinese names, numbers, dates; about 10 MB), through the
// data-source commands as the editor runs them, without a display.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "app/exchange/text_exchange.h"
#include "app/filter/table_filter.h"
#include "runtime/platform/gbk_codec.h"
#include "tests/app/table_unit.h"

namespace {

constexpr int kLines = 100'000;

const std::string& sampleText() {
    static const std::string text = [] {
        const char* names[] = {"张伟", "王芳", "李娜", "刘洋", "陈静", "杨帆", "赵磊", "黄敏"};
        const char* cities[] = {"北京市", "上海市", "广州市", "深圳市", "成都市"};
        std::string out;
        out.reserve(11'000'000);
        for (int line = 0; line < kLines; ++line) {
            std::string id = std::to_string(1'000'000 + line);
            out += id + ';' + names[line % 8] + ';' + cities[line % 5] + ';' + std::to_string(line % 97) + '.' +
                   std::to_string(line % 10) + ';' + "2024-" + std::to_string(line % 12 + 1) + '-' +
                   std::to_string(line % 28 + 1) + ';' + std::to_string(line * 37 % 10'000) + ';' +
                   (line % 2 == 0 ? "已付款" : "未付款") + ";备注" + std::to_string(line % 1000) + ';' + id + "号;" +
                   std::to_string(line % 7) + "\r\n";
        }
        return out;
    }();
    return text;
}

// Decoding, splitting and writing into a new table; freeing the table is not timed.
void importText(benchmark::State& state, const std::string& bytes, app::TextEncoding encoding) {
    for (auto _ : state) {
        auto unit = std::make_unique<testing_support::TableUnit>(1, 1);
        app::TextLines lines = app::readDelimited(app::decodeFileText(bytes, encoding).text, {}).value();
        benchmark::DoNotOptimize(app::importLines(unit->ref(), lines));
        state.PauseTiming();
        unit.reset();
        state.ResumeTiming();
    }
}

void importGbkText(benchmark::State& state) { importText(state, sampleText(), app::TextEncoding::Gbk); }
BENCHMARK(importGbkText)->Unit(benchmark::kMillisecond)->Iterations(5);

void importUtf8Text(benchmark::State& state) {
    static const std::string utf8 = rt::gbkToUtf8(sampleText());
    importText(state, utf8, app::TextEncoding::Utf8);
}
BENCHMARK(importUtf8Text)->Unit(benchmark::kMillisecond)->Iterations(5);

void exportGbkText(benchmark::State& state) {
    testing_support::TableUnit unit(1, 1);
    app::importLines(unit.ref(), app::readDelimited(sampleText(), {}).value());
    for (auto _ : state) benchmark::DoNotOptimize(app::exportLines(unit.ref(), {}));
}
BENCHMARK(exportGbkText)->Unit(benchmark::kMillisecond)->Iterations(5);

void exportUtf8Text(benchmark::State& state) {
    testing_support::TableUnit unit(1, 1);
    app::importLines(unit.ref(), app::readDelimited(sampleText(), {}).value());
    for (auto _ : state) {
        benchmark::DoNotOptimize(app::encodeFileText(app::exportLines(unit.ref(), {}).value(), app::TextEncoding::Utf8));
    }
}
BENCHMARK(exportUtf8Text)->Unit(benchmark::kMillisecond)->Iterations(5);

void filterDeletingHalf(benchmark::State& state) {
    testing_support::TableUnit unit(1, 1);
    app::DataSourceRef table = unit.ref();
    app::importLines(table, app::readDelimited(sampleText(), {}).value());
    int32_t full = table.captureState();
    app::FilterRules rules({{app::FilterTest::Contains, "未", app::FilterChoice::Delete}}, false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(app::filterTable(table, rules, app::FilterDirection::Rows, 1, 7));
        state.PauseTiming();
        table.restoreState(full);
        state.ResumeTiming();
    }
}
BENCHMARK(filterDeletingHalf)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
