// Evaluating Ev2 points and assessing a large store.
#include <benchmark/benchmark.h>

#include "Acceptance.h"
#include "TestDataStore.h"
#include "TransferBuilder.h"

using namespace k30;

namespace {

constexpr int kPoints = 10000;

// Typical two-cycle points, each a little different.
std::vector<Ev2Point> Ev2Points()
{
    std::vector<Ev2Point> points(kPoints);
    for (int i = 0; i < kPoints; ++i) {
        const InstrumentEv2Record rec = TypicalEv2Record(static_cast<std::uint16_t>(i));
        for (std::size_t j = 0; j < 17; ++j) {
            points[static_cast<std::size_t>(i)].reading[j] = {
                static_cast<float>(rec.stress[j]),
                static_cast<float>(rec.settlement[j] + (j > 0 ? (i + static_cast<int>(j)) % 5 : 0))};
        }
        points[static_cast<std::size_t>(i)].name = std::to_string(i);
    }
    return points;
}

TestDataStore LargeStore()
{
    TestDataStore s;
    for (int i = 0; i < kPoints; ++i) {
        K30 p;
        p.name = std::to_string(i);
        for (std::size_t j = 0; j < 16; ++j)
            p.reading[j] = {static_cast<float>(j * 25 + i % 7), static_cast<float>(j * 12 + i % 5)};
        p.stress125 = "0.260";
        p.k30Value = std::to_string(150 + i % 60);
        s.k30List.push_back(p);
    }
    s.nK30Count = kPoints;
    s.ev2List = Ev2Points();
    s.nEv2Count = kPoints;
    return s;
}

void EvaluateEv2Points(benchmark::State& state)
{
    const std::vector<Ev2Point> points = Ev2Points();
    for (auto _ : state) {
        for (const Ev2Point& p : points) {
            const Ev2Result r = ComputeEv2(p.reading);
            benchmark::DoNotOptimize(r.ratio);
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kPoints);
}
BENCHMARK(EvaluateEv2Points)->Unit(benchmark::kMillisecond);

// 10,000 K30 points and 10,000 Ev2 points against every kind of requirement.
void AssessLargeStore(benchmark::State& state)
{
    const TestDataStore store = LargeStore();
    const Requirements required{180.0, 120.0, 2.6};
    for (auto _ : state) {
        const StoreAssessment a = AssessStore(store, required);
        benchmark::DoNotOptimize(a.k30Stats.mean);
    }
}
BENCHMARK(AssessLargeStore)->Unit(benchmark::kMillisecond);

}  // namespace
