// The transfer archive: names, never replacing a file, nothing left by a
// failed write, and the list with its counts.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "TransferArchive.h"
#include "TransferBuilder.h"
#include "TransferText.h"

using namespace k30;
namespace fs = std::filesystem;

namespace {

std::time_t Dec6At143005()  // local time
{
    std::tm t{};
    t.tm_year = 126, t.tm_mon = 11, t.tm_mday = 6, t.tm_hour = 14, t.tm_min = 30, t.tm_sec = 5, t.tm_isdst = -1;
    return std::mktime(&t);
}

std::string TransferOf(std::uint16_t instrument, int k30Points, int ev2Points)
{
    TransferPlan plan;
    plan.k30InstrumentNo = plan.ev2InstrumentNo = instrument;
    plan.ev2Section = ev2Points > 0;
    plan.ev2Records = ev2Points;
    plan.k30Records.resize(static_cast<std::size_t>(k30Points));
    return BytesToTransferText(BuildTransfer(plan));
}

std::string Contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct Archive : ::testing::Test {
    ~Archive() override { fs::remove_all(root); }
    const fs::path root = fs::temp_directory_path() / ("k30-archive-" + std::to_string(::getpid()));
    const fs::path dir = root / "transfers";
};

}  // namespace

TEST_F(Archive, NamesByTimeAndInstrumentAndNeverReplaces)
{
    const std::string first = TransferOf(1207, 2, 0);
    const auto a = ArchiveTransfer(dir.string(), first, Dec6At143005(), true);  // the folder is made
    const auto b = ArchiveTransfer(dir.string(), TransferOf(1207, 3, 0), Dec6At143005(), true);
    const auto c = ArchiveTransfer(dir.string(), "01 02 ", Dec6At143005(), false);
    const auto d = ArchiveTransfer(dir.string(), "03 ", Dec6At143005(), false);
    ASSERT_TRUE(a.ok && b.ok && c.ok && d.ok) << a.error << b.error << c.error << d.error;
    EXPECT_EQ(a.path, (dir / "2026-12-06_143005_instrument-1207.ORG").string());
    EXPECT_EQ(b.path, (dir / "2026-12-06_143005_instrument-1207_2.ORG").string());
    EXPECT_EQ(c.path, (dir / "2026-12-06_143005_instrument-0_unaccepted.ORG").string());  // no section
    EXPECT_EQ(d.path, (dir / "2026-12-06_143005_instrument-0_unaccepted_2.ORG").string());
    EXPECT_EQ(Contents(a.path), first);  // untouched by the second transfer of its second
    EXPECT_EQ(Contents(d.path), "03 ");
    // Nothing but the four files: no temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 4);

    // A file where the folder should be: an error naming it, and no file.
    std::ofstream(root / "blocked") << "x";
    const auto e = ArchiveTransfer((root / "blocked" / "transfers").string(), "01 ", Dec6At143005(), true);
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.error.find("blocked"), std::string::npos) << e.error;
}

TEST_F(Archive, ListsNewestFirstWithCounts)
{
    ASSERT_TRUE(ArchiveTransfer(dir.string(), TransferOf(31, 4, 2), Dec6At143005(), true).ok);
    ASSERT_TRUE(ArchiveTransfer(dir.string(), TransferOf(31, 1, 0), Dec6At143005(), true).ok);
    ASSERT_TRUE(ArchiveTransfer(dir.string(), TransferOf(9, 0, 3), Dec6At143005() + 3600, false).ok);
    ASSERT_TRUE(ArchiveTransfer(dir.string(), TransferOf(12, 2, 0), Dec6At143005() - 86400, true).ok);
    std::ofstream(dir / "notes.txt") << "not a transfer";

    const std::vector<ArchivedTransfer> list = ListArchive(dir.string());
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].fileName, "2026-12-06_153005_instrument-9_unaccepted.ORG");
    EXPECT_EQ(list[0].when, "2026-12-06 15:30:05");
    EXPECT_TRUE(!list[0].accepted && list[0].ev2Count == 3 && list[0].k30Count == 0);
    EXPECT_EQ(list[1].fileName, "2026-12-06_143005_instrument-31_2.ORG");  // the later of one second
    EXPECT_EQ(list[1].k30Count, 1);
    EXPECT_TRUE(list[2].accepted && list[2].instrumentNo == 31 && list[2].k30Count == 4 && list[2].ev2Count == 2);
    EXPECT_EQ(list[3].when, "2026-12-05 14:30:05");
    EXPECT_TRUE(ListArchive((root / "missing").string()).empty());
}
