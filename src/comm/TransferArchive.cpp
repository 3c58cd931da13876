#include "TransferArchive.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>

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
constexpr std::string_view kIndexName = ".index";
constexpr std::string_view kIndexHeader = "k30-archive-index 1";

bool AllDigits(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Number(std::string_view digits)
{
    int v = 0;
    for (const char c : digits)
        v = v * 10 + (c - '0');
    return v;
}

// The date, time and offset at the start of a name: "2026-12-07_143005+0800"
// or, as older names have it, "2026-12-06_143005" in local time.
struct NamedTime {
    bool ok = false;
    std::string when;
    std::int64_t time = 0;
};

NamedTime TimeFromName(std::string_view name)
{
    NamedTime r;
    if (name.size() < 17 || name[4] != '-' || name[7] != '-' || name[10] != '_')
        return r;
    const std::string_view y = name.substr(0, 4), mo = name.substr(5, 2), d = name.substr(8, 2),
                           hms = name.substr(11, 6);
    if (!AllDigits(y) || !AllDigits(mo) || !AllDigits(d) || !AllDigits(hms))
        return r;
    std::tm tm{};
    tm.tm_year = Number(y) - 1900;
    tm.tm_mon = Number(mo) - 1;
    tm.tm_mday = Number(d);
    tm.tm_hour = Number(hms.substr(0, 2));
    tm.tm_min = Number(hms.substr(2, 2));
    tm.tm_sec = Number(hms.substr(4, 2));
    r.when = std::string(y) + '-' + std::string(mo) + '-' + std::string(d) + ' ' + std::string(hms.substr(0, 2)) +
             ':' + std::string(hms.substr(2, 2)) + ':' + std::string(hms.substr(4, 2));
    const std::string_view offset = name.size() >= 22 ? name.substr(17, 5) : std::string_view();
    if ((offset.size() == 5 && (offset[0] == '+' || offset[0] == '-') && AllDigits(offset.substr(1)))) {
        const int minutes = Number(offset.substr(1, 2)) * 60 + Number(offset.substr(3, 2));
        r.time = static_cast<std::int64_t>(timegm(&tm)) - (offset[0] == '-' ? -60 : 60) * minutes;
        r.when += ' ';
        r.when += offset;
    } else {
        tm.tm_isdst = -1;
        r.time = static_cast<std::int64_t>(std::mktime(&tm));
    }
    r.ok = true;
    return r;
}

// The "_2" of "..._instrument-1207_2.ORG"; 1 for the first of a name.
int CopyFromName(std::string_view name)
{
    const std::string_view stem = name.substr(0, name.size() - kEnding.size());
    const std::size_t instrument = stem.find(kInstrument);
    const std::size_t last = stem.rfind('_');
    if (instrument == std::string_view::npos || last == std::string_view::npos || last <= instrument)
        return 1;
    const std::string_view digits = stem.substr(last + 1);
    return AllDigits(digits) && digits.size() <= 6 ? Number(digits) : 1;
}

std::int64_t Nanoseconds(fs::file_time_type t)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

std::string LocalText(std::time_t t)
{
    std::tm local{};
    localtime_r(&t, &local);
    char buf[40];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S %z", &local);
    return buf;
}

// What the index knows of one file; valid while its size and last change match.
struct IndexEntry {
    std::uint64_t size = 0;
    std::int64_t changed = 0;
    std::int32_t instrumentNo = 0, ev2Count = 0, k30Count = 0;

    bool operator==(const IndexEntry&) const = default;
};

// The index as it stands on disk; anything unreadable in it is simply not known.
std::map<std::string, IndexEntry> ReadIndex(const fs::path& file)
{
    std::map<std::string, IndexEntry> index;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    if (!std::getline(in, line) || line != kIndexHeader)
        return index;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        IndexEntry e;
        std::string name;
        if (fields >> e.size >> e.changed >> e.instrumentNo >> e.ev2Count >> e.k30Count &&
            fields.get() == '\t' && std::getline(fields, name) && !name.empty() && e.ev2Count >= 0 &&
            e.k30Count >= 0)
            index[name] = e;
    }
    return index;
}

void WriteIndex(const fs::path& file, const std::map<std::string, IndexEntry>& index)
{
    std::string text(kIndexHeader);
    text += '\n';
    for (const auto& [name, e] : index)
        text += std::to_string(e.size) + ' ' + std::to_string(e.changed) + ' ' + std::to_string(e.instrumentNo) + ' ' +
                std::to_string(e.ev2Count) + ' ' + std::to_string(e.k30Count) + '\t' + name + '\n';
    std::string error, warning;
    (void)WriteFileAtomically(file.string(), text.data(), text.size(), error, &warning);  // a read-only archive stays unindexed
}

IndexEntry Decode(const fs::path& path, std::uint64_t size, std::int64_t changed)
{
    IndexEntry e;
    e.size = size;
    e.changed = changed;
    const FileReadResult file = ReadWholeFile(path.string(), kMaxRawFileBytes);
    if (file.ok) {
        TestDataStore decoded;
        DecodeTransfer(std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()), decoded);
        e.instrumentNo = decoded.nInstrumentNo;
        e.ev2Count = decoded.nEv2Count;
        e.k30Count = static_cast<std::int32_t>(decoded.ValidCount());
    }
    return e;
}

}  // namespace

std::string DefaultArchiveFolder()
{
    fs::path base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && fs::path(data).is_absolute())
        base = data;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = fs::path(home) / ".local" / "share";
    else
        base = fs::temp_directory_path();
    return (base / "k30workbench" / "transfers").string();
}

std::string ArchiveFileName(const std::tm& localTime, std::int32_t instrumentNo, bool accepted, int copy)
{
    const long offset = localTime.tm_gmtoff;
    const int minutes = static_cast<int>(((offset < 0 ? -offset : offset) / 60) % (24 * 60));
    char stamp[96];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d_%02d%02d%02d%c%02d%02d", localTime.tm_year + 1900,
                  localTime.tm_mon + 1, localTime.tm_mday, localTime.tm_hour, localTime.tm_min, localTime.tm_sec,
                  offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
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
        text.data(), text.size(), error, &r.warning);
    r.ok = !r.path.empty();
    if (!r.ok)
        r.error = folder + ": " + error;
    return r;
}

std::vector<ArchivedTransfer> ListArchive(const std::string& folder, const std::function<bool(std::size_t)>& goOn)
{
    std::vector<ArchivedTransfer> list;
    const fs::path indexFile = fs::path(folder) / kIndexName;
    const std::map<std::string, IndexEntry> known = ReadIndex(indexFile);
    std::map<std::string, IndexEntry> index;
    bool stopped = false;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= kEnding.size() || name.front() == '.' ||
            name.compare(name.size() - kEnding.size(), kEnding.size(), kEnding) != 0 || !entry.is_regular_file(ec))
            continue;
        std::error_code statError;
        const std::uint64_t size = entry.file_size(statError);
        const fs::file_time_type changed = entry.last_write_time(statError);
        if (statError)
            continue;  // gone since the folder was read
        ArchivedTransfer t;
        t.path = entry.path().string();
        t.fileName = name;
        if (const NamedTime named = TimeFromName(name); named.ok) {
            t.when = named.when;
            t.time = named.time;
        } else {
            t.time = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(changed));
            t.when = LocalText(static_cast<std::time_t>(t.time));
        }
        t.copy = CopyFromName(name);
        t.accepted = name.find(kUnaccepted) == std::string::npos;

        IndexEntry e;
        const auto it = known.find(name);
        if (it != known.end() && it->second.size == size && it->second.changed == Nanoseconds(changed))
            e = it->second;
        else
            e = Decode(entry.path(), size, Nanoseconds(changed));
        // A name the index's line form cannot hold is decoded every time.
        if (name.find('\n') == std::string::npos)
            index[name] = e;
        t.instrumentNo = e.instrumentNo;
        t.ev2Count = e.ev2Count;
        t.k30Count = e.k30Count;
        list.push_back(std::move(t));
        if (goOn && !goOn(list.size())) {
            stopped = true;
            break;
        }
    }
    if (!ec && !stopped && index != known)
        WriteIndex(indexFile, index);
    std::sort(list.begin(), list.end(), [](const ArchivedTransfer& a, const ArchivedTransfer& b) {
        if (a.time != b.time)
            return a.time > b.time;
        if (a.copy != b.copy)
            return a.copy > b.copy;
        return a.fileName > b.fileName;
    });
    return list;
}

}  // namespace k30
