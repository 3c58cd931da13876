#include "Document.h"

#include <cstring>

#include "TestDataStore.h"

namespace k30 {

namespace {

void AddText(std::string& out, const std::string& text)
{
    out += std::to_string(text.size());
    out += ':';
    out += text;
}

void AddReadings(std::string& out, const ReadingPair* reading, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        char bytes[2 * sizeof(float)];
        std::memcpy(bytes, &reading[i].stress, sizeof(float));
        std::memcpy(bytes + sizeof(float), &reading[i].settlement, sizeof(float));
        out.append(bytes, sizeof bytes);
    }
}

bool HeaderEmpty(const ReportHeader& h)
{
    for (const HeaderField& f : kHeaderFileOrder)
        if (!(h.*f.member).empty())
            return false;
    return true;
}

}  // namespace

Document::Document(const Document& other)
    : header_(other.header_), files_(other.files_), typing_(other.typing_)
{
}

Document& Document::operator=(const Document& other)
{
    header_ = other.header_;
    files_ = other.files_;
    typing_ = other.typing_;
    return *this;
}

// The exact record: every text and the bits of every reading that a file keeps
// (pair 16 is never saved).
std::string Document::Digest(const K30& p)
{
    std::string d;
    for (const std::string* t : {&p.name, &p.startTime, &p.endTime, &p.stress125, &p.k30Value, &p.testType,
                                 &p.designLoad})
        AddText(d, *t);
    AddReadings(d, p.reading.data(), kUsedPairs);
    return d;
}

std::string Document::Digest(const Ev2Point& p)
{
    std::string d;
    for (const std::string* t : {&p.name, &p.startTime, &p.endTime})
        AddText(d, *t);
    AddReadings(d, p.reading.data(), kEv2Pairs);
    return d;
}

Document::FileContent Document::ContentOf(const std::vector<K30>& k30, const std::vector<Ev2Point>& ev2)
{
    FileContent c;
    for (const K30& p : k30)
        c.k30.insert(Digest(p));
    for (const Ev2Point& p : ev2)
        c.ev2.insert(Digest(p));
    return c;
}

Document::FileContent Document::ContentOf(const std::vector<K30>& k30, const ReportHeader& header)
{
    FileContent c = ContentOf(k30, std::vector<Ev2Point>{});
    c.hasHeader = true;
    c.header = header;
    return c;
}

void Document::FileOnDisk(const std::string& path, FileContent content)
{
    files_[path] = std::move(content);
    Tell(Change::Files);
}

void Document::SetHeader(const ReportHeader& header)
{
    if (header == header_)
        return;
    header_ = header;
    Tell(Change::Header);
}

void Document::SetHeaderText(std::string ReportHeader::*member, const std::string& text)
{
    if (header_.*member == text)
        return;
    header_.*member = text;
    Tell(Change::Header);
}

void Document::EntryFilled(Entry entry, std::vector<std::string> texts)
{
    Typing& t = typing_[entry];
    t.typed = texts;
    t.filled = std::move(texts);
    Tell(Change::Typing);
}

void Document::Typed(Entry entry, std::size_t box, const std::string& text)
{
    Typing& t = typing_[entry];
    if (box >= t.typed.size()) {
        t.typed.resize(box + 1);
        t.filled.resize(box + 1);
    }
    t.typed[box] = text;
    Tell(Change::Typing);
}

void Document::EntryClosed(Entry entry)
{
    if (typing_.erase(entry) > 0)
        Tell(Change::Typing);
}

bool Document::TypedNotComputed() const
{
    for (const auto& [entry, t] : typing_)
        if (t.typed != t.filled)
            return true;
    return false;
}

bool Document::AnyFileHolds(const std::string& digest, bool k30) const
{
    for (const auto& [path, c] : files_)
        if ((k30 ? c.k30 : c.ev2).count(digest) > 0)
            return true;
    return false;
}

bool Document::K30PointsUnsaved(const TestDataStore& store) const
{
    const std::size_t n = store.ValidCount();
    for (std::size_t k = 0; k < n; ++k)
        if (!AnyFileHolds(Digest(store.k30List[k]), true))
            return true;
    return false;
}

bool Document::Ev2PointsUnsaved(const TestDataStore& store) const
{
    for (const Ev2Point& p : store.ev2List)
        if (!AnyFileHolds(Digest(p), false))
            return true;
    return false;
}

bool Document::HeaderUnsaved() const
{
    if (HeaderEmpty(header_))
        return false;
    for (const auto& [path, c] : files_)
        if (c.hasHeader && c.header == header_)
            return false;
    return true;
}

bool Document::UnsavedWork(const TestDataStore& store) const
{
    return TypedNotComputed() || HeaderUnsaved() || K30PointsUnsaved(store) || Ev2PointsUnsaved(store);
}

int Document::Listen(std::function<void(Change)> listener)
{
    const int id = nextListener_++;
    listeners_[id] = std::move(listener);
    return id;
}

void Document::Unlisten(int id) { listeners_.erase(id); }

void Document::Tell(Change change) const
{
    // A listener may add or remove listeners.
    const auto listeners = listeners_;
    for (const auto& [id, listener] : listeners)
        if (listener)
            listener(change);
}

}  // namespace k30
