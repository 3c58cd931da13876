// Listing a transfer archive of 5,000 transfers, as "Archived transfers..."
// does on opening: with its index, and from the files alone (the first
// listing, or after the index was lost).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "TransferArchive.h"
#include "TransferBuilder.h"
#include "TransferText.h"

using namespace k30;
namespace fs = std::filesystem;

namespace {

constexpr int kTransfers = 5000;

// 5,000 transfers of twelve K30 points each, one a minute.
const fs::path& Folder()
{
    static const fs::path folder = [] {
        const fs::path dir = fs::temp_directory_path() / ("k30-bench-archive-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        const std::string text = BytesToTransferText(BuildTransfer(RegularPlan(12)));
        for (int i = 0; i < kTransfers; ++i)
            if (!ArchiveTransfer(dir.string(), text, 1765002605 + 60 * i, true).ok)
                std::abort();
        std::atexit([] { fs::remove_all(fs::temp_directory_path() / ("k30-bench-archive-" + std::to_string(::getpid()))); });
        return dir;
    }();
    return folder;
}

void ListWithIndex(benchmark::State& state)
{
    const std::string folder = Folder().string();
    ListArchive(folder);  // builds the index
    for (auto _ : state)
        benchmark::DoNotOptimize(ListArchive(folder));
    state.SetItemsProcessed(state.iterations() * kTransfers);
}
BENCHMARK(ListWithIndex)->Unit(benchmark::kMillisecond);

void ListWithoutIndex(benchmark::State& state)
{
    const std::string folder = Folder().string();
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(Folder() / ".index");
        state.ResumeTiming();
        benchmark::DoNotOptimize(ListArchive(folder));
    }
    state.SetItemsProcessed(state.iterations() * kTransfers);
}
BENCHMARK(ListWithoutIndex)->Unit(benchmark::kMillisecond);

}  // namespace
