#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "TransferArchive.h"

namespace k30 {

// The bytes of a reception as they arrive, in a file of the archive folder
// (".reception-PID-N.journal", the transfer text), so that a crash, a killed
// process or a power cut loses nothing that had arrived. The owner appends
// each chunk's text, flushes once per chunk and syncs when the line falls
// quiet. The file is locked while its owner lives; a journal nobody holds was
// left behind and is recovered into the archive (RecoverJournals).
class ReceptionJournal {
public:
    ReceptionJournal() = default;
    ReceptionJournal(const ReceptionJournal&) = delete;
    ReceptionJournal& operator=(const ReceptionJournal&) = delete;
    ReceptionJournal(ReceptionJournal&& other) noexcept;
    ReceptionJournal& operator=(ReceptionJournal&& other) noexcept;
    // Removes the file when everything it holds is archived, else leaves it to be recovered.
    ~ReceptionJournal();

    // Creates a fresh journal in folder (created when missing). False with error.
    bool Start(const std::string& folder, std::string& error);
    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Path() const { return path_; }

    // Keeps the text to be written at the next Flush.
    void Append(std::string_view text) { pending_ += text; }
    // Writes what was appended. False with error when the file could not take it.
    bool Flush(std::string& error);
    // Flushes and syncs the file to the disk.
    bool Sync(std::string& error);
    // Everything written so far is kept in the archive: the file goes at the
    // end unless more is written first.
    void MarkArchived() { archived_ = written_ + pending_.size(); }
    // Syncs and closes; the file is removed when all of it is archived.
    void Finish();

private:
    int fd_ = -1;
    std::string path_;
    std::string pending_;
    std::size_t written_ = 0;
    std::size_t archived_ = 0;
};

struct RecoveredJournal {
    std::string journal;          // the file left behind
    ArchiveWriteResult archived;  // where its bytes were kept, or why they could not be
};

// Every journal in folder that no live process holds is kept in the archive
// as an unaccepted transfer, dated by its last change, and removed once
// archived. An empty one is removed. A trailing byte cut short by a crash is
// dropped: only whole bytes are kept.
std::vector<RecoveredJournal> RecoverJournals(const std::string& folder);

}  // namespace k30
