// Decoding a large transfer and writing plus reading a large project file.
#include <benchmark/benchmark.h>

#include "ProjectFile.h"
#include "TestDataStore.h"
#include "TransferBuilder.h"
#include "TransferDecoder.h"
#include "TransferText.h"

using namespace k30;

namespace {

constexpr int kPoints = 10000;

std::string LargeTransfer() { return BytesToTransferText(BuildTransfer(RegularPlan(kPoints))); }

void DecodeLargeTransfer(benchmark::State& state)
{
    const std::string text = LargeTransfer();
    for (auto _ : state) {
        TestDataStore s;
        DecodeTransfer(text, s);
        benchmark::DoNotOptimize(s.k30List.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(DecodeLargeTransfer)->Unit(benchmark::kMillisecond);

void WriteAndReadLargeProject(benchmark::State& state)
{
    TestDataStore s;
    DecodeTransfer(LargeTransfer(), s);
    s.k30List[5].name = "测点五";
    std::vector<const K30*> chosen;
    for (const K30& p : s.k30List)
        chosen.push_back(&p);
    ReportHeader header;
    header.Client = "委托单位";
    for (auto _ : state) {
        const auto bytes = WriteProject(s.nInstrumentNo, chosen, header);
        const auto r = ReadProject(bytes);
        benchmark::DoNotOptimize(r.data.points.data());
    }
}
BENCHMARK(WriteAndReadLargeProject)->Unit(benchmark::kMillisecond);

}  // namespace
