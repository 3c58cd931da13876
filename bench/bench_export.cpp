// Exporting 10,000 K30 points: the workbook (target under a second), and the
// CSV and AGS4 files for comparison.
#include <benchmark/benchmark.h>

#include "Ags4Export.h"
#include "CsvExport.h"
#include "TestDataStore.h"
#include "XlsxExport.h"

using namespace k30;

namespace {

constexpr int kPoints = 10000;

TestDataStore LargeStore()
{
    TestDataStore s;
    for (int i = 0; i < kPoints; ++i) {
        K30 p;
        p.name = std::to_string(i + 1);
        p.startTime = "2026-11-3-08:05";
        p.endTime = "2026-11-3-08:31";
        for (std::size_t j = 0; j < kUsedPairs; ++j)
            p.reading[j] = {static_cast<float>(j * 25 + static_cast<std::size_t>(i % 7)),
                            static_cast<float>(j * 12 + static_cast<std::size_t>(i % 5))};
        p.stress125 = "0.260";
        p.k30Value = "208";
        p.testType = "K30";
        p.designLoad = "0.150";
        s.AddK30Point(p);
    }
    s.nK30Count = kPoints;
    return s;
}

const Requirements kRequired{190.0, std::nullopt, std::nullopt};

void XlsxOf10000Points(benchmark::State& state)
{
    const TestDataStore store = LargeStore();
    for (auto _ : state) {
        std::string bytes;
        std::string error;
        if (!WriteXlsx(store, {}, kRequired, Language::English, bytes, error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(XlsxOf10000Points)->Unit(benchmark::kMillisecond);

void CsvOf10000Points(benchmark::State& state)
{
    const TestDataStore store = LargeStore();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteCsv(store, {}, kRequired, Language::English, CsvTable::K30));
}
BENCHMARK(CsvOf10000Points)->Unit(benchmark::kMillisecond);

void Ags4Of10000Points(benchmark::State& state)
{
    const TestDataStore store = LargeStore();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteAgs4(store, {}, kRequired, "2026-12-06"));
}
BENCHMARK(Ags4Of10000Points)->Unit(benchmark::kMillisecond);

}  // namespace
