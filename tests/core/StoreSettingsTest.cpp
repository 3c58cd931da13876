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
    EXPECT_THROW(s.K30PointAt(3), std::out_of_range);
    // The count bounds every lookup, and never reaches past the list.
    s.nK30Count = 1;
    EXPECT_FALSE(s.FindK30PointByName("p1"));
    s.nK30Count = 10;
    EXPECT_EQ(s.ValidCount(), 3u);
}

// The document answers from what the files hold: an edit undone reads as
// saved, whatever happened between.
TEST(Document, UnsavedWorkIsWhatNoFileHolds)
{
    TestDataStore s;
    K30 a;
    a.name = "P1";
    a.reading[3] = {150.0f, 160.0f};
    s.AddK30Point(a);
    s.nK30Count = 1;
    EXPECT_TRUE(s.UnsavedDataPresent());
    s.document.FileOnDisk("/d/a.ORG", Document::ContentOf({a}, std::vector<Ev2Point>{}));
    EXPECT_FALSE(s.UnsavedDataPresent());

    s.RenamePoint(0, "P2");
    EXPECT_TRUE(s.document.K30PointsUnsaved(s));
    s.RenamePoint(0, "P1");
    EXPECT_FALSE(s.UnsavedDataPresent());
    s.k30List[0].reading[16] = {1.0f, 1.0f};  // never saved, so never work
    EXPECT_FALSE(s.UnsavedDataPresent());

    // The header: only a project file holds it, and an empty one is no work.
    ReportHeader h;
    h.Client = "中铁";
    s.document.SetHeader(h);
    EXPECT_TRUE(s.document.HeaderUnsaved());
    s.document.FileOnDisk("/d/p.K30", Document::ContentOf({a}, h));
    EXPECT_FALSE(s.UnsavedDataPresent());
    s.document.SetHeaderText(&ReportHeader::Client, "");
    EXPECT_FALSE(s.UnsavedDataPresent());

    // The same path written again holds only what was written last.
    s.document.FileOnDisk("/d/a.ORG", Document::ContentOf({}, std::vector<Ev2Point>{}));
    s.document.FileOnDisk("/d/p.K30", Document::ContentOf({}, h));
    EXPECT_TRUE(s.document.K30PointsUnsaved(s));
    s.document.FileOnDisk("/d/p.K30", Document::ContentOf({a}, h));

    // Ev2 points only a raw file holds.
    Ev2Point e;
    e.name = "4";
    s.ev2List.assign(1, e);
    s.nEv2Count = 1;
    EXPECT_TRUE(s.document.Ev2PointsUnsaved(s));
    s.document.FileOnDisk("/d/e.ORG", Document::ContentOf({}, s.ev2List));
    EXPECT_FALSE(s.UnsavedDataPresent());

    // Typed texts are work until computed, or typed back.
    s.document.EntryFilled(Document::Entry::K30, {"", "0.1"});
    s.document.Typed(Document::Entry::K30, 1, "0,1");
    EXPECT_TRUE(s.UnsavedDataPresent());
    s.document.Typed(Document::Entry::K30, 1, "0.1");
    EXPECT_FALSE(s.UnsavedDataPresent());
    s.document.Typed(Document::Entry::K30, 0, "abc");
    s.document.EntryClosed(Document::Entry::K30);
    EXPECT_FALSE(s.UnsavedDataPresent());

    // A copy answers the same and tells none of the original's listeners.
    int told = 0;
    s.document.Listen([&](Document::Change) { ++told; });
    TestDataStore copy = s;
    copy.document.SetHeaderText(&ReportHeader::Tester, "李");
    EXPECT_EQ(told, 0);
    EXPECT_TRUE(copy.UnsavedDataPresent());
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
    for (const auto& [bytes, lang] : {std::pair{"", Language::English}, {"C", Language::Chinese},
                                      {"c", Language::English}, {"E\n", Language::English}}) {
        Write(bytes);
        EXPECT_EQ(ReadLanguage(path_), lang) << bytes;
    }
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

TEST_F(SettingsFile, TheWorkingFileComesFirstThenTheUsersFileWhichIsCreated)
{
    const std::filesystem::path user = std::filesystem::path(path_ + ".d") / "k30workbench" / "Config.cfg";
    const LanguageFiles files{path_, user.string()};
    EXPECT_EQ(ReadLanguage(files), Language::English);
    ASSERT_TRUE(WriteLanguage(Language::Chinese, files));  // no working file: the user's, with its folders
    EXPECT_EQ(ReadLanguage(files), Language::Chinese);
    EXPECT_FALSE(std::filesystem::exists(path_));
    std::ofstream(user, std::ios::binary | std::ios::app) << "rest";
    ASSERT_TRUE(WriteLanguage(Language::English, files));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(std::ifstream(user, std::ios::binary).rdbuf()), {}),
              "Erest");

    Write("C");  // a working file decides, and is the one written
    EXPECT_EQ(ReadLanguage(files), Language::Chinese);
    ASSERT_TRUE(WriteLanguage(Language::English, files));
    EXPECT_EQ(Read(), "E");
    Write("");  // an empty one leaves the choice to the user's file
    std::ofstream(user, std::ios::binary) << "C";
    EXPECT_EQ(ReadLanguage(files), Language::Chinese);
    std::filesystem::remove_all(path_ + ".d");
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
}

TEST(FileEndings, AnyLetterCaseOpensAndSavingAddsTheEndingOnlyWhenMissing)
{
    for (const char* raw : {"a/b.ORG", "b.org", "b.Org", "测点.oRg"})
        EXPECT_EQ(KindOfPath(raw), FileKind::Raw) << raw;
    for (const char* project : {"b.K30", "b.k30"})
        EXPECT_EQ(KindOfPath(project), FileKind::Project) << project;
    for (const char* neither : {"ORG", ".OR", "b.K30.bak", "b.ORG.txt", "bORG", "b.k3O"})
        EXPECT_EQ(KindOfPath(neither), FileKind::Unknown) << neither;

    EXPECT_EQ(WithEnding("x/site", FileKind::Raw), "x/site.ORG");
    EXPECT_EQ(WithEnding("site.org", FileKind::Raw), "site.org");
    EXPECT_EQ(WithEnding("site.k30", FileKind::Project), "site.k30");
    EXPECT_EQ(WithEnding("site.K30.bak", FileKind::Project), "site.K30.bak.K30");
    EXPECT_EQ(WithEnding("site.K30", FileKind::Raw), "site.K30.ORG");
}
