#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace k30 {

// The archive of transfers: every accepted transfer, and every reception that
// was discarded unaccepted, kept as a raw file in one folder. Files are only
// ever added; nothing here deletes or replaces one.

// The one archive folder of the workbench and the k30 tool:
// $XDG_DATA_HOME/k30workbench/transfers, by default ~/.local/share/k30workbench/transfers.
std::string DefaultArchiveFolder();

// "2026-12-07_143005+0800_instrument-1207.ORG" for the local time given (with
// its offset from UTC, tm_gmtoff) and the instrument number; "..._unaccepted"
// before the ending for bytes that were not accepted, and "_2", "_3", ... for
// the second and later copy of a name.
std::string ArchiveFileName(const std::tm& localTime, std::int32_t instrumentNo, bool accepted, int copy = 1);

struct ArchiveWriteResult {
    bool ok = false;
    std::string path;   // the file written
    std::string error;  // English, with the path tried
    std::string warning;  // written, but the folder could not be synced
};

// Writes a transfer text into folder (created when missing) under the name of
// `when` and the instrument number decoded from the text. The file appears
// complete or not at all: it is written and synced under a temporary name,
// then linked to a name nobody has taken, and the folder is synced.
ArchiveWriteResult ArchiveTransfer(const std::string& folder, std::string_view text, std::time_t when, bool accepted);

struct ArchivedTransfer {
    std::string path;
    std::string fileName;
    std::string when;          // "2026-12-07 14:30:05 +0800" as named; older names carry no offset
    std::int64_t time = 0;     // seconds since the epoch, for ordering
    int copy = 1;              // the "_2", "_3", ... of a repeated name
    std::int32_t instrumentNo = 0;
    std::int32_t ev2Count = 0;
    std::int32_t k30Count = 0;
    bool accepted = true;
};

// The raw files of the folder, newest first (repeats of one name by their
// number, highest first). Names without an offset are read as local time, a
// name without a date is dated by the file's last change. The point counts
// come from the folder's index (".index"), which is rebuilt for every file it
// does not describe by name, size and last change; the files stay the truth.
// goOn, when given, hears the number of files read after each; false stops
// the listing with the files read so far (and leaves the index as it was).
std::vector<ArchivedTransfer> ListArchive(const std::string& folder,
                                          const std::function<bool(std::size_t)>& goOn = {});

}  // namespace k30
