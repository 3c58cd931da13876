// "k30 show --json" on large transfers: decoding and the streamed JSON, as the
// command runs them (the output discarded).
#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>

#include "DataFile.h"
#include "JsonOutput.h"
#include "TransferBuilder.h"
#include "TransferDecoder.h"
#include "TransferText.h"

using namespace k30;

namespace {

std::string Transfer(int points) { return BytesToTransferText(BuildTransfer(RegularPlan(points))); }

class Discard : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void ShowJson(benchmark::State& state)
{
    const std::string text = Transfer(static_cast<int>(state.range(0)));
    Discard sink;
    std::ostream out(&sink);
    for (auto _ : state) {
        cli::LoadedFile file;
        file.kind = FileKind::Raw;
        file.rawText = text;
        DecodeTransfer(file.rawText, file.store);
        cli::WriteJson(file, out);
    }
}
BENCHMARK(ShowJson)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
