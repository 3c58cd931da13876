#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "FileIO.h"
#include "Settings.h"
#include "TestDataStore.h"

using namespace k30;

TEST(Store, LookupsAndPredicates)
{
    TestDataStore s;
    EXPECT_FALSE(s.DataPresent());
    EXPECT_FALSE(s.UnsavedDataPresent());
    K30 a;
    a.name = "P1";
    s.AddK30Point(a);
    a.name = "p1";
    s.AddK30Point(a);
    a.name = "P1";
    s.AddK30Point(a);
    s.nK30Count = 3;
    EXPECT_EQ(s.FindK30PointByName("P1"), 0u);
    EXPECT_EQ(s.FindK30PointByName("p1"), 1u);
    EXPECT_FALSE(s.FindK30PointByName("P1 "));
    EXPECT_TRUE(s.UnsavedDataPresent());
    s.bDataSaved = true;
    EXPECT_FALSE(s.UnsavedDataPresent());
    EXPECT_THROW(s.K30PointAt(3), std::out_of_range);
    // The count bounds every lookup, and never reaches past the list.
    s.nK30Count = 1;
    EXPECT_FALSE(s.FindK30PointByName("p1"));
    s.nK30Count = 10;
    EXPECT_EQ(s.ValidCount(), 3u);
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = (std::filesystem::temp_directory_path() /
                 ("k30-config-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                    .string();
        std::filesystem::remove(path_);
    }
    void TearDown() override { std::filesystem::remove(path_); }
    void Write(const std::string& bytes)
    {
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    std::string Read()
    {
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string path_;
};

TEST_F(SettingsFile, FirstByteDecides)
{
    EXPECT_EQ(ReadLanguage(path_), Language::English);  // missing
    Write("");
    EXPECT_EQ(ReadLanguage(path_), Language::English);
    Write("C");
    EXPECT_EQ(ReadLanguage(path_), Language::Chinese);
    Write("c");
    EXPECT_EQ(ReadLanguage(path_), Language::English);
    Write("E\n");
    EXPECT_EQ(ReadLanguage(path_), Language::English);
}

TEST_F(SettingsFile, WritingChangesTheFirstByteOnlyAndNeverCreates)
{
    EXPECT_FALSE(WriteLanguage(Language::Chinese, path_));
    EXPECT_FALSE(std::filesystem::exists(path_));
    Write("Xrest of file");
    EXPECT_TRUE(WriteLanguage(Language::Chinese, path_));
    EXPECT_EQ(Read(), "Crest of file");
    EXPECT_TRUE(WriteLanguage(Language::English, path_));
    EXPECT_EQ(Read(), "Erest of file");
    Write("");
    EXPECT_TRUE(WriteLanguage(Language::Chinese, path_));
    EXPECT_EQ(Read(), "C");
}

TEST_F(SettingsFile, FilesAreReadWithALimitAndWrittenWhole)
{
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path_, "0A 0B ", 6, error)) << error;
    auto r = ReadWholeFile(path_, 100);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(std::string(r.bytes.begin(), r.bytes.end()), "0A 0B ");
    r = ReadWholeFile(path_, 5);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(ReadWholeFile(path_ + ".missing", 100).ok);
    EXPECT_FALSE(WriteFileAtomically("/nonexistent-dir/x.ORG", "", 0, error));
    EXPECT_EQ(KindOfPath("a/b.ORG"), FileKind::Raw);
    EXPECT_EQ(KindOfPath("b.K30"), FileKind::Project);
    EXPECT_EQ(KindOfPath("b.org"), FileKind::Unknown);
    EXPECT_EQ(KindOfPath("b.k30"), FileKind::Unknown);
    EXPECT_EQ(KindOfPath("ORG"), FileKind::Unknown);
}
