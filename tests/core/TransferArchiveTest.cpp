// The transfer archive: names, never replacing a file, complete files only,
// and the list with its counts.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "TransferArchive.h"
#include "TransferBuilder.h"
#include "TransferText.h"

using namespace k30;
namespace fs = std::filesystem;

namespace {

// 2026-12-06 14:30:05 local time.
std::time_t Dec6At143005()
{
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 6;
    t.tm_hour = 14;
    t.tm_min = 30;
    t.tm_sec = 5;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

std::string TransferOf(std::uint16_t instrument, int k30Points, int ev2Points)
{
    TransferPlan plan;
    plan.k30InstrumentNo = instrument;
    plan.ev2Section = ev2Points > 0;
    plan.ev2InstrumentNo = instrument;
    plan.ev2Records = ev2Points;
    for (int i = 0; i < k30Points; ++i) {
        InstrumentK30Record r;
        r.number = static_cast<std::uint16_t>(i + 1);
        plan.k30Records.push_back(r);
    }
    return BytesToTransferText(BuildTransfer(plan));
}

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class Archive : public ::testing::Test {
protected:
    Archive() : folder_(fs::temp_directory_path() / ("k30-archive-" + std::to_string(::getpid())))
    {
        fs::remove_all(folder_);
    }
    ~Archive() override
    {
        std::error_code ec;
        fs::permissions(folder_, fs::perms::owner_all, ec);
        fs::remove_all(folder_, ec);
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder_))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path folder_;
};

}  // namespace

TEST_F(Archive, NamesByTimeAndInstrumentAndNeverReplaces)
{
    const std::string first = TransferOf(1207, 2, 0);
    const std::string second = TransferOf(1207, 3, 0);
    const auto a = ArchiveTransfer((folder_ / "transfers").string(), first, Dec6At143005(), true);
    const auto b = ArchiveTransfer((folder_ / "transfers").string(), second, Dec6At143005(), true);
    const auto c = ArchiveTransfer((folder_ / "transfers").string(), "01 02 ", Dec6At143005(), false);
    const auto d = ArchiveTransfer((folder_ / "transfers").string(), "03 ", Dec6At143005(), false);
    ASSERT_TRUE(a.ok && b.ok && c.ok && d.ok) << a.error << b.error << c.error << d.error;
    const fs::path dir = folder_ / "transfers";  // made when missing
    EXPECT_EQ(a.path, (dir / "2026-12-06_143005_instrument-1207.ORG").string());
    EXPECT_EQ(b.path, (dir / "2026-12-06_143005_instrument-1207_2.ORG").string());
    // Bytes with no section name no instrument.
    EXPECT_EQ(c.path, (dir / "2026-12-06_143005_instrument-0_unaccepted.ORG").string());
    EXPECT_EQ(d.path, (dir / "2026-12-06_143005_instrument-0_unaccepted_2.ORG").string());
    // Every file holds its own text, byte for byte, and nothing else is left behind.
    EXPECT_EQ(Contents(a.path), first);
    EXPECT_EQ(Contents(b.path), second);
    EXPECT_EQ(Contents(d.path), "03 ");
    folder_ = dir;
    EXPECT_EQ(Names().size(), 4u);

    std::tm newYear{};
    newYear.tm_year = 127;
    newYear.tm_mday = 1;
    EXPECT_EQ(ArchiveFileName(newYear, 5, true), "2027-01-01_000000_instrument-5.ORG");
}

TEST_F(Archive, AFolderThatCannotBeWrittenLeavesNothing)
{
    fs::create_directories(folder_);
    // A file where the folder should be.
    std::ofstream(folder_ / "transfers") << "x";
    const auto r = ArchiveTransfer((folder_ / "transfers").string(), "01 ", Dec6At143005(), true);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("transfers"), std::string::npos) << r.error;

    if (::geteuid() != 0) {  // root writes anywhere
        fs::create_directories(folder_ / "locked");
        fs::permissions(folder_ / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(ArchiveTransfer((folder_ / "locked").string(), "01 ", Dec6At143005(), true).ok);
        EXPECT_TRUE(fs::is_empty(folder_ / "locked"));
    }
}

TEST_F(Archive, ListsNewestFirstWithCounts)
{
    const std::string dir = folder_.string();
    ASSERT_TRUE(ArchiveTransfer(dir, TransferOf(31, 4, 2), Dec6At143005(), true).ok);
    ASSERT_TRUE(ArchiveTransfer(dir, TransferOf(31, 1, 0), Dec6At143005(), true).ok);
    ASSERT_TRUE(ArchiveTransfer(dir, TransferOf(9, 0, 3), Dec6At143005() + 3600, false).ok);
    ASSERT_TRUE(ArchiveTransfer(dir, TransferOf(12, 2, 0), Dec6At143005() - 86400, true).ok);
    std::ofstream(folder_ / "notes.txt") << "not a transfer";

    const std::vector<ArchivedTransfer> list = ListArchive(dir);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].fileName, "2026-12-06_153005_instrument-9_unaccepted.ORG");
    EXPECT_EQ(list[0].when, "2026-12-06 15:30:05");
    EXPECT_FALSE(list[0].accepted);
    EXPECT_EQ(list[0].ev2Count, 3);
    EXPECT_EQ(list[0].k30Count, 0);
    EXPECT_EQ(list[1].fileName, "2026-12-06_143005_instrument-31_2.ORG");  // the later of one second
    EXPECT_EQ(list[1].k30Count, 1);
    EXPECT_EQ(list[2].instrumentNo, 31);
    EXPECT_EQ(list[2].k30Count, 4);
    EXPECT_EQ(list[2].ev2Count, 2);
    EXPECT_TRUE(list[2].accepted);
    EXPECT_EQ(list[3].when, "2026-12-05 14:30:05");
    EXPECT_EQ(list[3].instrumentNo, 12);
    EXPECT_TRUE(ListArchive((folder_ / "missing").string()).empty());
}
