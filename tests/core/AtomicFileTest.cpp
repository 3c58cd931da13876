#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "AtomicFile.h"

using namespace k30;
namespace fs = std::filesystem;

namespace {

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("k30-atomic-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    static mode_t Mode(const std::string& path)
    {
        struct stat st {};
        EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
        return st.st_mode & 07777;
    }

    static bool Save(const std::string& path, const std::string& bytes, std::string& error)
    {
        return WriteFileAtomically(path, bytes.data(), bytes.size(), error);
    }

    // Only the file itself: no temporary left beside it.
    std::size_t EntryCount() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }

    fs::path dir_;
};

}  // namespace

TEST_F(AtomicFile, KeepsThePermissionsOfTheFileItReplacesAndGivesNewFilesTheUmasksMode)
{
    const mode_t saved = ::umask(027);
    std::string error;
    const std::string fresh = Path("new.ORG");
    ASSERT_TRUE(Save(fresh, "0A ", error)) << error;
    EXPECT_EQ(Mode(fresh), 0640u);
    EXPECT_EQ(::umask(022), 027u) << "the save changed the umask";
    ASSERT_TRUE(Save(Path("new022.ORG"), "0A ", error)) << error;
    EXPECT_EQ(Mode(Path("new022.ORG")), 0644u);
    ::umask(saved);

    const std::string kept = Path("kept.K30");
    ASSERT_TRUE(Save(kept, "old", error)) << error;
    for (const mode_t mode : {0640u, 0600u, 0664u}) {
        ASSERT_EQ(::chmod(kept.c_str(), mode), 0);
        ASSERT_TRUE(Save(kept, "new", error)) << error;
        EXPECT_EQ(Mode(kept), mode);
        EXPECT_EQ(Read(kept), "new");
    }
    // A read-only file is refused, even where the rename would be allowed.
    ASSERT_EQ(::chmod(kept.c_str(), 0444), 0);
    EXPECT_TRUE(k30::IsReadOnlyFile(kept));
    EXPECT_FALSE(Save(kept, "newer", error));
    EXPECT_EQ(error, k30::kReadOnlyError);
    EXPECT_EQ(Read(kept), "new");
    ASSERT_EQ(::chmod(kept.c_str(), 0644), 0);
    EXPECT_FALSE(k30::IsReadOnlyFile(kept));

    // Saving through a link replaces what it points to and keeps the link.
    const std::string link = Path("link.K30");
    fs::create_symlink(kept, link);
    ASSERT_TRUE(Save(link, "through the link", error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Read(kept), "through the link");
    EXPECT_EQ(EntryCount(), 4u);
}

TEST_F(AtomicFile, AFailedSaveReportsItLeavesTheOldFileAndNoTemporary)
{
    const std::string target = Path("data.ORG");
    std::string error;
    ASSERT_TRUE(Save(target, "the only copy", error)) << error;

    // A write that fails half-way: the file size limit stops it after 1 KiB.
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = Save(target, std::string(64 * 1024, 'x'), error);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Read(target), "the only copy");
    EXPECT_EQ(EntryCount(), 1u);

    // Folders that cannot hold the file, even for root: a file, /proc; and a
    // target that is a folder.
    error.clear();
    EXPECT_FALSE(Save(target + "/inside.ORG", "x", error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(Save("/proc/k30-atomic-test.ORG", "x", error));
    fs::create_directory(Path("folder.K30"));
    EXPECT_FALSE(Save(Path("folder.K30"), "x", error));
    EXPECT_TRUE(fs::is_directory(Path("folder.K30")));
    EXPECT_EQ(Read(target), "the only copy");
    EXPECT_EQ(EntryCount(), 2u);
}

TEST_F(AtomicFile, AFolderThatCannotBeSyncedAfterTheRenameIsAWarningNotAFailure)
{
    SetFolderSyncForTests([](int) {
        errno = EIO;
        return -1;
    });
    std::string error, warning;
    const std::string target = Path("data.K30");
    const bool saved = WriteFileAtomically(target, "new", 3, error, &warning);
    const std::string added = WriteNewFileAtomically(
        dir_.string(), [](int copy) { return "archived_" + std::to_string(copy) + ".ORG"; }, 9, "0A ", 3, error);
    SetFolderSyncForTests(nullptr);
    EXPECT_TRUE(saved) << error;
    EXPECT_EQ(Read(target), "new");
    EXPECT_NE(warning.find("syncing the folder"), std::string::npos) << warning;
    EXPECT_EQ(added, Path("archived_1.ORG"));
    EXPECT_EQ(Read(added), "0A ");
    EXPECT_EQ(EntryCount(), 2u);
}
