// The writers stopped through their progress function: the target keeps what
// it held and nothing is left beside it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include "AtomicFile.h"
#include "Export.h"
#include "ExportTestSupport.h"

using namespace k30;
namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t EntryCount(const fs::path& dir)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

class ExportCancel : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("k30-cancel-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

// Stops at the given report (from 1) and counts them all.
struct StopAt {
    std::size_t at;
    std::size_t* reports;
    bool operator()(std::size_t, std::size_t) const { return ++*reports < at; }
};

}  // namespace

TEST_F(ExportCancel, EveryStopLeavesNoFileOrTheOldBytesAndALargeFileStopsBetweenSlices)
{
    const TestDataStore store = test::KnownStore();
    ExportRequest request;
    request.format = ExportFormat::Xlsx;
    const fs::path target = dir_ / "layer.xlsx";
    std::string error;
    std::size_t all = 0;
    ASSERT_TRUE(ExportFile(store, request, target.string(), error, StopAt{1000, &all}));
    ASSERT_GE(all, 3u);  // made, written, and the last check before the rename

    std::ofstream(target, std::ios::binary) << "old bytes";
    for (std::size_t stop = 1; stop <= all; ++stop) {
        std::size_t reports = 0;
        EXPECT_FALSE(ExportFile(store, request, target.string(), error, StopAt{stop, &reports})) << stop;
        EXPECT_EQ(error, kCancelledError);
        EXPECT_EQ(Slurp(target), "old bytes") << stop;
        EXPECT_EQ(EntryCount(dir_), 1u) << stop;
    }

    const std::string bytes(3u << 20, 'x');
    std::size_t reports = 0;
    EXPECT_FALSE(WriteFileAtomically((dir_ / "large.bin").string(), bytes.data(), bytes.size(), error, nullptr,
                                     StopAt{2, &reports}));
    EXPECT_EQ(reports, 2u) << "stopped after the second slice";
    EXPECT_EQ(EntryCount(dir_), 1u);
}
