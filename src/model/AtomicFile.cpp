#include "AtomicFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace k30 {

namespace {

namespace fs = std::filesystem;

std::string Describe(const char* step, int err) { return std::string(step) + ": " + std::strerror(err); }

// The file actually replaced: a symbolic link is followed, so that saving
// through a link updates what it points to.
fs::path ResolveTarget(const std::string& path)
{
    std::error_code ec;
    const fs::path p(path);
    if (!fs::is_symlink(fs::symlink_status(p, ec)))
        return p;
    const fs::path resolved = fs::weakly_canonical(p, ec);
    return ec ? p : resolved;
}

// Creates a fresh file beside the target with the mode an ordinary new file
// gets: open() applies the umask (and any default ACL of the folder), so the
// process umask is never touched.
int CreateTemporary(const fs::path& dir, const std::string& name, std::string& tempPath)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto tick = static_cast<unsigned long long>(
            std::chrono::steady_clock::now().time_since_epoch().count());
        char suffix[64];
        std::snprintf(suffix, sizeof suffix, ".%d.%u.%llx.tmp", static_cast<int>(::getpid()), counter++,
                      tick & 0xFFFFFFull);
        tempPath = (dir / ("." + name + suffix)).string();
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, const char* p, std::size_t left)
{
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Written in slices so that a large file can tell its progress and be stopped.
constexpr std::size_t kSlice = std::size_t{1} << 20;

bool WriteInSlices(int fd, const char* p, std::size_t size, const ProgressFn& progress, bool& cancelled)
{
    if (!progress)
        return WriteAll(fd, p, size);
    for (std::size_t done = 0; done < size;) {
        const std::size_t n = std::min(kSlice, size - done);
        if (!WriteAll(fd, p + done, n))
            return false;
        done += n;
        if (!progress(done, size)) {
            cancelled = true;
            return false;
        }
    }
    return true;
}

int (*folderSync)(int) = ::fsync;

// Makes the rename itself durable. File systems that cannot sync a folder say
// EINVAL; there is nothing more to do on them. The file is in place whatever
// happens here, so a failure is only a warning.
void SyncFolder(const fs::path& dir, std::string* warning)
{
    std::string problem;
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        problem = Describe("opening the folder to sync it", errno);
    } else {
        if (folderSync(fd) != 0 && errno != EINVAL)
            problem = Describe("syncing the folder", errno);
        ::close(fd);
    }
    if (problem.empty())
        return;
    problem = dir.string() + ": " + problem + " (the file is saved; a power cut now might undo it)";
    if (warning)
        *warning = problem;
    else
        std::cerr << "k30: warning: " << problem << "\n";
}

// Gives the temporary file the target name unless that name exists. False with
// errno EEXIST when it does.
bool LinkWithoutReplacing(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return false;
    // A file system without renameat2: a hard link fails on an existing name too.
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    ::unlink(from.c_str());
    return true;
}

// A read-only file says the user wants it kept; the rename would replace it
// all the same, as it asks only for the folder's permission.
bool RefusesReplacing(const fs::path& target, const struct stat& old)
{
    return (old.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0;
}

}  // namespace

bool IsReadOnlyFile(const std::string& path)
{
    const fs::path target = ResolveTarget(path);
    struct stat old {};
    return ::stat(target.c_str(), &old) == 0 && !S_ISDIR(old.st_mode) && RefusesReplacing(target, old);
}

void SetFolderSyncForTests(int (*sync)(int fd)) { folderSync = sync ? sync : ::fsync; }

std::string WriteNewFileAtomically(const std::string& folder, const std::function<std::string(int)>& nameFor,
                                   int maxNames, const void* data, std::size_t size, std::string& error,
                                   std::string* warning)
{
    const fs::path dir = folder.empty() ? fs::path(".") : fs::path(folder);
    std::string tempPath;
    const int fd = CreateTemporary(dir, "archive", tempPath);
    if (fd < 0) {
        error = Describe("creating a temporary file", errno);
        return {};
    }
    bool ok = WriteAll(fd, static_cast<const char*>(data), size);
    if (!ok)
        error = Describe("writing", errno);
    if (ok && ::fsync(fd) != 0) {
        error = Describe("syncing", errno);
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = Describe("closing", errno);
        ok = false;
    }
    for (int k = 1; ok && k <= maxNames; ++k) {
        const std::string target = (dir / nameFor(k)).string();
        if (LinkWithoutReplacing(tempPath, target)) {
            SyncFolder(dir, warning);
            return target;
        }
        if (errno != EEXIST) {
            error = Describe("naming the file", errno);
            ok = false;
        }
    }
    if (ok)
        error = Describe("naming the file", EEXIST);
    ::unlink(tempPath.c_str());
    return {};
}

bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size, std::string& error,
                         std::string* warning, const ProgressFn& progress)
{
    const fs::path target = ResolveTarget(path);
    fs::path dir = target.parent_path();
    if (dir.empty())
        dir = ".";
    const std::string name = target.filename().string();
    if (name.empty() || name == "." || name == "..") {
        error = Describe("saving", EISDIR);
        return false;
    }

    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) {
        error = Describe("saving", EISDIR);
        return false;
    }
    if (replacing && RefusesReplacing(target, old)) {
        error = kReadOnlyError;
        return false;
    }

    std::string tempPath;
    const int fd = CreateTemporary(dir, name, tempPath);
    if (fd < 0) {
        error = Describe("creating a temporary file", errno);
        return false;
    }
    bool ok = true;
    bool cancelled = false;
    if (!WriteInSlices(fd, static_cast<const char*>(data), size, progress, cancelled)) {
        error = cancelled ? kCancelledError : Describe("writing", errno);
        ok = false;
    }
    if (ok && replacing) {
        // Best effort: only the owner's own group, or root, may keep a foreign owner.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        if (::fchmod(fd, old.st_mode & 07777) != 0) {
            error = Describe("keeping the permissions", errno);
            ok = false;
        }
    }
    if (ok && ::fsync(fd) != 0) {
        error = Describe("syncing", errno);
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = Describe("closing", errno);
        ok = false;
    }
    // The last moment a stop can leave the target untouched.
    if (ok && progress && !progress(size, size)) {
        error = kCancelledError;
        ok = false;
    }
    if (ok && std::rename(tempPath.c_str(), target.c_str()) != 0) {
        error = Describe("replacing the file", errno);
        ok = false;
    }
    if (!ok) {
        ::unlink(tempPath.c_str());
        return false;
    }
    SyncFolder(dir, warning);
    return true;
}

}  // namespace k30
