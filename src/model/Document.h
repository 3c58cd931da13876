#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "Ev2.h"
#include "K30.h"
#include "ReportHeader.h"

namespace k30 {

class TestDataStore;

// What a person would lose at close: the store's points, the report header
// texts and the texts typed into the reading boxes but not yet computed. It
// answers one question, whether some of it is in no file, from content only:
// it keeps a digest of what the last open or save of each file put on disk
// and compares the work with it. Commands tell it what they did; nothing sets
// a saved mark. So renaming a point and renaming it back, or undoing a typed
// text, reads as saved again.
class Document {
public:
    // What one file holds, as digests of its points and its header.
    struct FileContent {
        std::set<std::string> k30;
        std::set<std::string> ev2;
        bool hasHeader = false;  // project files
        ReportHeader header;
    };
    enum class Entry { K30, Ev2 };
    enum class Change { Header, Files, Typing };

    Document() = default;
    // A copy answers the same but tells nobody: listeners stay with the original.
    Document(const Document& other);
    Document& operator=(const Document& other);

    static std::string Digest(const K30& point);
    static std::string Digest(const Ev2Point& point);
    static FileContent ContentOf(const std::vector<K30>& k30, const std::vector<Ev2Point>& ev2);
    static FileContent ContentOf(const std::vector<K30>& k30, const ReportHeader& header);

    // A file was opened, or written completely; content is what it holds as
    // read back. Replaces what was known of that path.
    void FileOnDisk(const std::string& path, FileContent content);

    const ReportHeader& Header() const { return header_; }
    void SetHeader(const ReportHeader& header);
    void SetHeaderText(std::string ReportHeader::*member, const std::string& text);

    // The reading boxes of a manual entry were filled from a point or
    // computed: what they show now is no new work.
    void EntryFilled(Entry entry, std::vector<std::string> texts);
    // A person changed box `box` of the entry.
    void Typed(Entry entry, std::size_t box, const std::string& text);
    // The entry's boxes closed: what they held is gone with them.
    void EntryClosed(Entry entry);
    // Texts in open boxes that differ from what was last filled or computed.
    bool TypedNotComputed() const;

    // Each kind of work, and whether any of it is in no file.
    bool K30PointsUnsaved(const TestDataStore& store) const;
    bool Ev2PointsUnsaved(const TestDataStore& store) const;
    bool HeaderUnsaved() const;
    bool UnsavedWork(const TestDataStore& store) const;

    // Pages observe the document; the id removes the listener again.
    int Listen(std::function<void(Change)> listener);
    void Unlisten(int id);

private:
    struct Typing {
        std::vector<std::string> filled;
        std::vector<std::string> typed;
    };
    void Tell(Change change) const;
    bool AnyFileHolds(const std::string& digest, bool k30) const;

    ReportHeader header_;
    std::map<std::string, FileContent> files_;
    std::map<Entry, Typing> typing_;
    std::map<int, std::function<void(Change)>> listeners_;
    int nextListener_ = 1;
};

}  // namespace k30
