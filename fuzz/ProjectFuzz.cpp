// Any bytes as a project file: read, applied to the store as Open applies it,
// and written again as Save project file writes it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "ProjectFile.h"
#include "TestDataStore.h"

using namespace k30;

namespace {
std::vector<std::uint8_t> Rewrite(const ProjectData& data)
{
    std::vector<const K30*> points;
    for (const K30& p : data.points)
        points.push_back(&p);
    return WriteProject(data.instrumentNo, points, data.header);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ProjectReadResult read = ReadProject(data, size);
    if (!read.ok) {
        K30_FUZZ_CHECK(!read.error.empty());
        return 0;
    }
    TestDataStore store;
    ApplyProject(read.data, store);
    K30_FUZZ_CHECK(store.nK30Count >= 0 && store.ValidCount() == read.data.points.size());
    K30_FUZZ_CHECK(store.nEv2Count == 0);

    // What was read is written so that it reads back the same.
    const std::vector<std::uint8_t> written = Rewrite(read.data);
    const ProjectReadResult again = ReadProject(written);
    K30_FUZZ_CHECK(again.ok);
    K30_FUZZ_CHECK(Rewrite(again.data) == written);
    return 0;
}
