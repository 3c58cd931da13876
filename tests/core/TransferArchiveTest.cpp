// The transfer archive: names with their offset from UTC, never replacing a
// file, the list in time order with its index, and the reception journal
// recovered into the archive.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ReceptionJournal.h"
#include "TestDataStore.h"
#include "TransferArchive.h"
#include "TransferBuilder.h"
#include "TransferDecoder.h"
#include "TransferText.h"

using namespace k30;
namespace fs = std::filesystem;

namespace {

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

std::size_t Entries(const fs::path& dir)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

// Eight hours east of UTC, as in China, without needing the zone database.
struct Archive : ::testing::Test {
    Archive()
    {
        if (const char* tz = std::getenv("TZ"))
            oldTz = tz;
        ::setenv("TZ", "CST-8", 1);
        ::tzset();
    }
    ~Archive() override
    {
        fs::remove_all(root);
        if (oldTz.empty())
            ::unsetenv("TZ");
        else
            ::setenv("TZ", oldTz.c_str(), 1);
        ::tzset();
    }
    static constexpr std::time_t kDec6At063005Utc = 1796538605;  // 2026-12-06 14:30:05 +0800
    std::string oldTz;
    const fs::path root = fs::temp_directory_path() / ("k30-archive-" + std::to_string(::getpid()));
    const fs::path dir = root / "transfers";
};

}  // namespace

TEST_F(Archive, NamesByTimeWithOffsetAndInstrumentAndNeverReplaces)
{
    const std::string first = TransferOf(1207, 2, 0);
    const auto a = ArchiveTransfer(dir.string(), first, kDec6At063005Utc, true);  // the folder is made
    const auto b = ArchiveTransfer(dir.string(), TransferOf(1207, 3, 0), kDec6At063005Utc, true);
    const auto c = ArchiveTransfer(dir.string(), "01 02 ", kDec6At063005Utc, false);
    const auto d = ArchiveTransfer(dir.string(), "03 ", kDec6At063005Utc, false);
    ASSERT_TRUE(a.ok && b.ok && c.ok && d.ok) << a.error << b.error << c.error << d.error;
    EXPECT_EQ(a.path, (dir / "2026-12-06_143005+0800_instrument-1207.ORG").string());
    EXPECT_EQ(b.path, (dir / "2026-12-06_143005+0800_instrument-1207_2.ORG").string());
    EXPECT_EQ(c.path, (dir / "2026-12-06_143005+0800_instrument-0_unaccepted.ORG").string());  // no section
    EXPECT_EQ(d.path, (dir / "2026-12-06_143005+0800_instrument-0_unaccepted_2.ORG").string());
    EXPECT_EQ(Contents(a.path), first);  // untouched by the second transfer of its second
    EXPECT_EQ(Contents(d.path), "03 ");
    // Nothing but the four files: no temporary file is left behind.
    EXPECT_EQ(Entries(dir), 4u);

    // West of UTC, by half hours.
    std::tm newfoundland{};
    newfoundland.tm_year = 126, newfoundland.tm_mon = 0, newfoundland.tm_mday = 2, newfoundland.tm_hour = 9;
    newfoundland.tm_gmtoff = -(3 * 3600 + 30 * 60);
    EXPECT_EQ(ArchiveFileName(newfoundland, 5, true), "2026-01-02_090000-0330_instrument-5.ORG");

    // A file where the folder should be: an error naming it, and no file.
    std::ofstream(root / "blocked") << "x";
    const auto e = ArchiveTransfer((root / "blocked" / "transfers").string(), "01 ", kDec6At063005Utc, true);
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.error.find("blocked"), std::string::npos) << e.error;
}

TEST_F(Archive, ListsByTimeAcrossOffsetsOldNamesAndNumberedRepeats)
{
    ASSERT_TRUE(ArchiveTransfer(dir.string(), TransferOf(31, 4, 2), kDec6At063005Utc, true).ok);
    ASSERT_TRUE(ArchiveTransfer(dir.string(), TransferOf(9, 0, 3), kDec6At063005Utc + 3600, false).ok);
    ASSERT_TRUE(ArchiveTransfer(dir.string(), TransferOf(12, 2, 0), kDec6At063005Utc - 86400, true).ok);
    // Ten more of one second: "_2" to "_10".
    for (int k = 2; k <= 10; ++k)
        ASSERT_TRUE(ArchiveTransfer(dir.string(), TransferOf(31, k, 0), kDec6At063005Utc, true).ok);
    // An older name in local time, 15:00 here; one written at UTC, 16:00:05 here.
    std::ofstream(dir / "2026-12-06_150000_instrument-5.ORG") << TransferOf(5, 1, 0);
    std::ofstream(dir / "2026-12-06_080005+0000_instrument-7.ORG") << TransferOf(7, 1, 0);
    std::ofstream(dir / "notes.txt") << "not a transfer";

    const std::vector<ArchivedTransfer> list = ListArchive(dir.string());
    ASSERT_EQ(list.size(), 14u);
    EXPECT_EQ(list[0].fileName, "2026-12-06_080005+0000_instrument-7.ORG");
    EXPECT_EQ(list[0].when, "2026-12-06 08:00:05 +0000");
    EXPECT_EQ(list[1].fileName, "2026-12-06_153005+0800_instrument-9_unaccepted.ORG");
    EXPECT_TRUE(!list[1].accepted && list[1].ev2Count == 3 && list[1].k30Count == 0);
    EXPECT_EQ(list[2].fileName, "2026-12-06_150000_instrument-5.ORG");
    EXPECT_EQ(list[2].when, "2026-12-06 15:00:00");
    EXPECT_EQ(list[3].fileName, "2026-12-06_143005+0800_instrument-31_10.ORG");  // the latest of its second
    EXPECT_EQ(list[3].k30Count, 10);
    EXPECT_EQ(list[4].fileName, "2026-12-06_143005+0800_instrument-31_9.ORG");
    EXPECT_EQ(list[11].fileName, "2026-12-06_143005+0800_instrument-31_2.ORG");
    EXPECT_TRUE(list[12].accepted && list[12].instrumentNo == 31 && list[12].k30Count == 4 && list[12].ev2Count == 2);
    EXPECT_EQ(list[13].when, "2026-12-05 14:30:05 +0800");
    EXPECT_TRUE(ListArchive((root / "missing").string()).empty());
}

TEST_F(Archive, TheIndexFollowsTheFilesWhenStaleDamagedOrMissing)
{
    const auto a = ArchiveTransfer(dir.string(), TransferOf(31, 4, 2), kDec6At063005Utc, true);
    ASSERT_TRUE(ArchiveTransfer(dir.string(), TransferOf(9, 1, 0), kDec6At063005Utc + 60, true).ok);
    ASSERT_EQ(ListArchive(dir.string()).size(), 2u);
    ASSERT_TRUE(fs::exists(dir / ".index"));

    const auto counts = [&] {
        std::vector<std::int32_t> c;
        for (const ArchivedTransfer& t : ListArchive(dir.string()))
            c.insert(c.end(), {t.instrumentNo, t.k30Count, t.ev2Count});
        return c;
    };
    const std::vector<std::int32_t> both{9, 1, 0, 31, 4, 2};
    EXPECT_EQ(counts(), both);  // from the index

    // A file changed behind the index's back is decoded again.
    std::ofstream(a.path, std::ios::trunc) << TransferOf(31, 7, 0);
    EXPECT_EQ(counts(), (std::vector<std::int32_t>{9, 1, 0, 31, 7, 0}));
    std::ofstream(a.path, std::ios::trunc) << TransferOf(31, 4, 2);

    for (const std::string& damage : {std::string("garbage\n\x01\x02"), std::string("k30-archive-index 1\n1 x y\n"),
                                     std::string("k30-archive-index 1\n-5 0 0 -1 -1\t") + fs::path(a.path).filename().string() + "\n",
                                     std::string()}) {
        std::ofstream(dir / ".index", std::ios::trunc | std::ios::binary) << damage;
        EXPECT_EQ(counts(), both);
        EXPECT_EQ(Contents(dir / ".index").rfind("k30-archive-index 1\n", 0), 0u);  // rebuilt
    }
    fs::remove(dir / ".index");
    EXPECT_EQ(counts(), both);
    // A file removed by hand leaves the list and the index.
    fs::remove(a.path);
    EXPECT_EQ(counts(), (std::vector<std::int32_t>{9, 1, 0}));
    EXPECT_EQ(Contents(dir / ".index").find("instrument-31"), std::string::npos);
}

TEST_F(Archive, AJournalLeftBehindIsKeptAsAnUnacceptedTransfer)
{
    const std::string demo = TransferOf(1207, 3, 1);
    // A live journal: written as the bytes come, never taken while held.
    ReceptionJournal live;
    std::string error;
    ASSERT_TRUE(live.Start(dir.string(), error)) << error;
    live.Append(demo.substr(0, 30));
    ASSERT_TRUE(live.Flush(error)) << error;
    EXPECT_EQ(Contents(live.Path()), demo.substr(0, 30));
    EXPECT_TRUE(RecoverJournals(dir.string()).empty());

    // Left behind by a killed run, its last byte cut short; and an empty one.
    const fs::path left = dir / ".reception-1-2-3.journal";
    std::ofstream(left) << demo.substr(0, 301);
    std::ofstream(dir / ".reception-4-5-6.journal");
    fs::last_write_time(left, fs::file_time_type::clock::now() - std::chrono::hours(1));
    const std::vector<RecoveredJournal> recovered = RecoverJournals(dir.string());
    ASSERT_EQ(recovered.size(), 1u);
    ASSERT_TRUE(recovered[0].archived.ok) << recovered[0].archived.error;
    EXPECT_EQ(recovered[0].journal, left.string());
    EXPECT_EQ(Contents(recovered[0].archived.path), demo.substr(0, 300));
    EXPECT_NE(recovered[0].archived.path.find("_instrument-1207_unaccepted.ORG"), std::string::npos);
    TestDataStore decoded;
    DecodeTransfer(Contents(recovered[0].archived.path), decoded);
    EXPECT_EQ(decoded.nInstrumentNo, 1207);
    EXPECT_FALSE(fs::exists(left));
    EXPECT_FALSE(fs::exists(dir / ".reception-4-5-6.journal"));
    EXPECT_TRUE(RecoverJournals(dir.string()).empty());  // once only

    // At the end of a run a journal wholly archived goes; one with more stays.
    const std::string livePath = live.Path();
    live.MarkArchived();
    live.Finish();
    EXPECT_FALSE(fs::exists(livePath));
    ASSERT_TRUE(live.Start(dir.string(), error)) << error;
    const std::string kept = live.Path();
    live.Append("0A ");
    live.MarkArchived();
    live.Append("0B ");
    live.Finish();
    EXPECT_EQ(Contents(kept), "0A 0B ");
}
