#include "TransferArchive.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

#include "AtomicFile.h"
#include "FileIO.h"
#include "TestDataStore.h"
#include "TransferDecoder.h"

namespace k30 {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kEnding = ".ORG";
constexpr std::string_view kUnaccepted = "_unaccepted";
constexpr std::string_view kInstrument = "_instrument-";

std::string TwoDigits(int v)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

bool AllDigits(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "2026-12-06_143005" at the start of a name as "2026-12-06 14:30:05"; empty otherwise.
std::string WhenFromName(std::string_view name)
{
    if (name.size() < 17 || name[4] != '-' || name[7] != '-' || name[10] != '_')
        return {};
    const std::string_view date = name.substr(0, 10);
    const std::string_view time = name.substr(11, 6);
    if (!AllDigits(date.substr(0, 4)) || !AllDigits(date.substr(5, 2)) || !AllDigits(date.substr(8, 2)) ||
        !AllDigits(time))
        return {};
    return std::string(date) + ' ' + std::string(time.substr(0, 2)) + ':' + std::string(time.substr(2, 2)) + ':' +
           std::string(time.substr(4, 2));
}

std::string WhenFromFile(const fs::path& path)
{
    std::error_code ec;
    const auto changed = fs::last_write_time(path, ec);
    if (ec)
        return {};
    const std::time_t t =
        std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(changed));
    std::tm local{};
    localtime_r(&t, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
    return buf;
}

}  // namespace

std::string ArchiveFileName(const std::tm& localTime, std::int32_t instrumentNo, bool accepted, int copy)
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%s-%s_%s%s%s", localTime.tm_year + 1900,
                  TwoDigits(localTime.tm_mon + 1).c_str(), TwoDigits(localTime.tm_mday).c_str(),
                  TwoDigits(localTime.tm_hour).c_str(), TwoDigits(localTime.tm_min).c_str(),
                  TwoDigits(localTime.tm_sec).c_str());
    std::string name = stamp;
    name += kInstrument;
    name += std::to_string(instrumentNo);
    if (!accepted)
        name += kUnaccepted;
    if (copy > 1)
        name += "_" + std::to_string(copy);
    name += kEnding;
    return name;
}

ArchiveWriteResult ArchiveTransfer(const std::string& folder, std::string_view text, std::time_t when, bool accepted)
{
    ArchiveWriteResult r;
    const fs::path dir(folder);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        r.error = folder + ": " + ec.message();
        return r;
    }
    TestDataStore decoded;
    DecodeTransfer(text, decoded);
    std::tm local{};
    localtime_r(&when, &local);

    std::string error;
    r.path = WriteNewFileAtomically(
        folder, [&](int copy) { return ArchiveFileName(local, decoded.nInstrumentNo, accepted, copy); }, 9999,
        text.data(), text.size(), error);
    r.ok = !r.path.empty();
    if (!r.ok)
        r.error = folder + ": " + error;
    return r;
}

std::vector<ArchivedTransfer> ListArchive(const std::string& folder, const std::function<bool(std::size_t)>& goOn)
{
    std::vector<ArchivedTransfer> list;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= kEnding.size() || name.front() == '.' ||
            name.compare(name.size() - kEnding.size(), kEnding.size(), kEnding) != 0 ||
            !entry.is_regular_file(ec))
            continue;
        ArchivedTransfer t;
        t.path = entry.path().string();
        t.fileName = name;
        t.when = WhenFromName(name);
        if (t.when.empty())
            t.when = WhenFromFile(entry.path());
        t.accepted = name.find(kUnaccepted) == std::string::npos;
        const FileReadResult file = ReadWholeFile(t.path, kMaxRawFileBytes);
        if (file.ok) {
            TestDataStore decoded;
            DecodeTransfer(std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()),
                           decoded);
            t.instrumentNo = decoded.nInstrumentNo;
            t.ev2Count = decoded.nEv2Count;
            t.k30Count = static_cast<std::int32_t>(decoded.ValidCount());
        }
        list.push_back(std::move(t));
        if (goOn && !goOn(list.size()))
            break;
    }
    std::sort(list.begin(), list.end(), [](const ArchivedTransfer& a, const ArchivedTransfer& b) {
        return a.when != b.when ? a.when > b.when : a.fileName > b.fileName;
    });
    return list;
}

}  // namespace k30
