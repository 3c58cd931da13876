#include "ReceptionJournal.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace k30 {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = ".reception-";
constexpr std::string_view kSuffix = ".journal";

std::string Describe(const std::string& path, const char* step, int err)
{
    return path + ": " + step + ": " + std::strerror(err);
}

bool IsJournalName(const std::string& name)
{
    return name.size() > kPrefix.size() + kSuffix.size() && name.compare(0, kPrefix.size(), kPrefix) == 0 &&
           name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0;
}

bool SameFile(int fd, const std::string& path)
{
    struct stat open {}, named {};
    return ::fstat(fd, &open) == 0 && ::stat(path.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

bool ReadAll(int fd, std::string& text)
{
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        text.append(buf, static_cast<std::size_t>(n));
    }
}

}  // namespace

ReceptionJournal::ReceptionJournal(ReceptionJournal&& other) noexcept { *this = std::move(other); }

ReceptionJournal& ReceptionJournal::operator=(ReceptionJournal&& other) noexcept
{
    if (this != &other) {
        Finish();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
        pending_ = std::move(other.pending_);
        written_ = std::exchange(other.written_, 0);
        archived_ = std::exchange(other.archived_, 0);
        other.path_.clear();
        other.pending_.clear();
    }
    return *this;
}

ReceptionJournal::~ReceptionJournal() { Finish(); }

bool ReceptionJournal::Start(const std::string& folder, std::string& error)
{
    Finish();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        error = folder + ": " + ec.message();
        return false;
    }
    static std::atomic<unsigned> counter{0};
    const auto tick = std::chrono::system_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = std::string(kPrefix) + std::to_string(::getpid()) + '-' + std::to_string(tick) + '-' +
                                 std::to_string(counter++) + std::string(kSuffix);
        path_ = (fs::path(folder) / name).string();
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0666);
        if (fd_ >= 0)
            break;
        if (errno != EEXIST) {
            error = Describe(path_, "creating the reception journal", errno);
            path_.clear();
            return false;
        }
    }
    if (fd_ < 0) {
        error = Describe(path_, "creating the reception journal", EEXIST);
        path_.clear();
        return false;
    }
    // Held while this process lives: the lock tells a live journal from one left behind.
    (void)::flock(fd_, LOCK_EX | LOCK_NB);
    written_ = archived_ = 0;
    return true;
}

bool ReceptionJournal::Flush(std::string& error)
{
    if (fd_ < 0 || pending_.empty())
        return true;
    const char* p = pending_.data();
    std::size_t left = pending_.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = Describe(path_, "writing the reception journal", errno);
            pending_.erase(0, pending_.size() - left);
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
        written_ += static_cast<std::size_t>(n);
    }
    pending_.clear();
    return true;
}

bool ReceptionJournal::Sync(std::string& error)
{
    if (!Flush(error))
        return false;
    if (fd_ >= 0 && ::fdatasync(fd_) != 0 && errno != EINVAL) {
        error = Describe(path_, "syncing the reception journal", errno);
        return false;
    }
    return true;
}

void ReceptionJournal::Finish()
{
    if (fd_ < 0)
        return;
    std::string error;
    const bool whole = Sync(error);
    if (whole && written_ <= archived_)
        ::unlink(path_.c_str());
    ::close(fd_);
    fd_ = -1;
    path_.clear();
    pending_.clear();
    written_ = archived_ = 0;
}

std::vector<RecoveredJournal> RecoverJournals(const std::string& folder)
{
    std::vector<RecoveredJournal> recovered;
    std::error_code ec;
    std::vector<std::string> journals;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec))
        if (IsJournalName(entry.path().filename().string()) && entry.is_regular_file(ec))
            journals.push_back(entry.path().string());
    for (const std::string& path : journals) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;  // taken by another process meanwhile
        // A journal still held is a reception going on in another process;
        // one already recovered by another process is no longer under its name.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !SameFile(fd, path)) {
            ::close(fd);
            continue;
        }
        RecoveredJournal r;
        r.journal = path;
        std::string text;
        struct stat st {};
        if (!ReadAll(fd, text) || ::fstat(fd, &st) != 0) {
            r.archived.error = Describe(path, "reading the reception journal", errno);
            recovered.push_back(std::move(r));
            ::close(fd);
            continue;
        }
        // Every byte is three characters, "%02X "; a cut-short one is no byte.
        text.resize(text.size() - text.size() % 3);
        if (text.empty()) {
            ::unlink(path.c_str());
            ::close(fd);
            continue;
        }
        r.archived = ArchiveTransfer(folder, text, st.st_mtime, false);
        if (r.archived.ok)
            ::unlink(path.c_str());
        recovered.push_back(std::move(r));
        ::close(fd);
    }
    return recovered;
}

}  // namespace k30
