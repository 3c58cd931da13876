#include "TransferDecoder.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string>

#include "Format.h"
#include "TestDataStore.h"
#include "TransferText.h"

namespace k30 {

namespace {

constexpr std::string_view kMarkerE = "EE EE EE EE EE EE EE EE EE EE EE EE EE EE";
constexpr std::string_view kMarkerC = "CC CC CC CC CC CC CC CC CC CC CC CC CC CC";
constexpr std::string_view kMarkerF = "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF";

// Digits of a section: marker 28, instrument number 4, end marker 32, and 224 a record.
constexpr long kSectionFrame = 64;
constexpr long kRecordDigits = 224;

class Finder {
public:
    explicit Finder(std::string_view pattern)
        : pattern_(pattern), searcher_(pattern.begin(), pattern.end())
    {
    }
    std::size_t In(std::string_view text) const
    {
        const auto it = std::search(text.begin(), text.end(), searcher_);
        return it == text.end() ? std::string_view::npos : static_cast<std::size_t>(it - text.begin());
    }

private:
    std::string_view pattern_;
    std::boyer_moore_horspool_searcher<std::string_view::const_iterator> searcher_;
};

const Finder& FindE()
{
    static const Finder f(kMarkerE);
    return f;
}
const Finder& FindC()
{
    static const Finder f(kMarkerC);
    return f;
}
const Finder& FindF()
{
    static const Finder f(kMarkerF);
    return f;
}

// The section from its marker up to and including its end marker (or to the
// end of its part). Empty when the part holds no marker.
bool FindSection(std::string_view part, const Finder& marker, std::string_view& section)
{
    const std::size_t start = marker.In(part);
    if (start == std::string_view::npos)
        return false;
    section = part.substr(start);
    const std::size_t end = FindF().In(section);
    if (end != std::string_view::npos)
        section = section.substr(0, end + 48);
    return true;
}

// Reads fixed-width hexadecimal fields one after the other from the section's
// digits, blanks left out, as a "%x" scan of each field would: leading white
// space skipped, digits up to the first other character. Reading past the end
// yields what is left (possibly nothing, 0).
class FieldReader {
public:
    explicit FieldReader(std::string_view section) : t_(section) {}

    // Number of digits once the blanks are removed.
    static std::size_t DigitCount(std::string_view section)
    {
        return section.size() - static_cast<std::size_t>(std::count(section.begin(), section.end(), ' '));
    }

    void Skip(std::size_t n)
    {
        // Fast path: whole "HH " groups, as every transfer the instrument sends has.
        while (n >= 2 && pos_ + 3 <= t_.size() && t_[pos_] != ' ' && t_[pos_ + 1] != ' ' && t_[pos_ + 2] == ' ') {
            pos_ += 3;
            n -= 2;
        }
        while (n > 0 && pos_ < t_.size()) {
            n -= t_[pos_] != ' ';
            ++pos_;
        }
    }

    unsigned Read(std::size_t n)
    {
        if (n % 2 == 0 && pos_ + n / 2 * 3 <= t_.size()) {
            // Fast path: n/2 well-formed "HH " groups give the same value as the
            // general scan below.
            unsigned value = 0;
            std::size_t p = pos_;
            bool wellFormed = true;
            for (std::size_t g = 0; g < n / 2; ++g, p += 3) {
                const int hi = Hex(t_[p]);
                const int lo = Hex(t_[p + 1]);
                if ((hi | lo) < 0 || t_[p + 2] != ' ') {
                    wellFormed = false;
                    break;
                }
                value = (value << 8) | static_cast<unsigned>(hi << 4) | static_cast<unsigned>(lo);
            }
            if (wellFormed) {
                pos_ = p;
                return value;
            }
        }
        unsigned value = 0;
        bool leading = true;
        bool stopped = false;
        while (n > 0 && pos_ < t_.size()) {
            const char c = t_[pos_++];
            if (c == ' ')
                continue;
            --n;
            if (stopped)
                continue;
            if (leading && (c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'))
                continue;
            leading = false;
            const int h = Hex(c);
            if (h < 0)
                stopped = true;
            else
                value = value * 16 + static_cast<unsigned>(h);
        }
        return value;
    }

private:
    static int Hex(char c) { return kHexTable[static_cast<unsigned char>(c)]; }

    static constexpr std::array<signed char, 256> kHexTable = [] {
        std::array<signed char, 256> t{};
        for (auto& v : t)
            v = -1;
        for (int c = 0; c < 10; ++c)
            t[static_cast<std::size_t>('0' + c)] = static_cast<signed char>(c);
        for (int c = 0; c < 6; ++c) {
            t[static_cast<std::size_t>('A' + c)] = static_cast<signed char>(10 + c);
            t[static_cast<std::size_t>('a' + c)] = static_cast<signed char>(10 + c);
        }
        return t;
    }();

    std::string_view t_;
    std::size_t pos_ = 0;
};

std::int32_t RecordCount(std::string_view section)
{
    // Truncates toward zero: a section shorter than its frame counts no record.
    const auto digits = static_cast<long>(FieldReader::DigitCount(section));
    return static_cast<std::int32_t>((digits - kSectionFrame) / kRecordDigits);
}

void AppendTime(std::string& text, unsigned hour, unsigned minute)
{
    if (hour < 10)
        text += '0';
    text += std::to_string(hour);
    text += ':';
    if (minute < 10)
        text += '0';
    text += std::to_string(minute);
}

std::string Thousandths(unsigned value)
{
    return FormatFixed(static_cast<double>(static_cast<float>(value / 1000.0)), 3);
}

// Date, start and end time and the point number, which both record kinds
// carry in the same form.
template <typename Point>
void ReadDateTimesAndName(FieldReader& r, Point& p)
{
    std::string date;
    const unsigned year = r.Read(2) + 2000;
    date += std::to_string(year);  // "%4d": always four digits from 2000 on
    date += '-';
    date += std::to_string(r.Read(2));
    date += '-';
    date += std::to_string(r.Read(2));
    date += '-';
    p.startTime = date;
    p.endTime = date;
    const unsigned startHour = r.Read(2);
    const unsigned startMinute = r.Read(2);
    AppendTime(p.startTime, startHour, startMinute);
    const unsigned endHour = r.Read(2);
    const unsigned endMinute = r.Read(2);
    AppendTime(p.endTime, endHour, endMinute);
    p.name = std::to_string(r.Read(4));
}

Ev2Point ReadEv2Record(FieldReader& r)
{
    Ev2Point p;
    for (auto& pair : p.reading) {
        pair.stress = static_cast<float>(r.Read(4));
        pair.settlement = static_cast<float>(r.Read(4));
    }
    ReadDateTimesAndName(r, p);
    r.Skip(70);
    return p;
}

K30 ReadRecord(FieldReader& r)
{
    K30 p;
    for (int j = 0; j < kUsedPairs; ++j) {
        p.reading[static_cast<std::size_t>(j)].stress = static_cast<float>(r.Read(4));
        p.reading[static_cast<std::size_t>(j)].settlement = static_cast<float>(r.Read(4));
    }
    r.Skip(8);
    ReadDateTimesAndName(r, p);
    r.Skip(6);
    p.stress125 = Thousandths(r.Read(4));
    p.k30Value = std::to_string(r.Read(4));
    unsigned type = r.Read(4);
    if (type == 0)
        type = 30;
    p.testType = "K" + std::to_string(type);
    p.designLoad = Thousandths(r.Read(4));
    r.Skip(48);
    return p;
}

}  // namespace

void DecodeTransfer(std::string_view text, TestDataStore& store)
{
    // A raw file that a text editor rewrapped or lower-cased decodes as the text it came from.
    std::string canonical;
    if (!IsCanonicalTransferText(text)) {
        if (auto c = CanonicalTransferText(text)) {
            canonical = std::move(*c);
            text = canonical;
        }
    }

    store.ClearK30Points();
    store.ev2List.clear();

    const std::size_t posE = FindE().In(text);
    const std::size_t posC = FindC().In(text);
    std::string_view ev2Part;
    std::string_view k30Part;
    if (posE == std::string_view::npos) {
        k30Part = text;
        store.nEv2Count = 0;
    } else if (posC == std::string_view::npos) {
        ev2Part = text;
        store.nK30Count = 0;
    } else {
        ev2Part = text.substr(0, posC);
        k30Part = text.substr(posC);
    }

    std::string_view section;
    if (!FindSection(ev2Part, FindE(), section)) {
        store.nEv2Count = 0;
    } else {
        const std::int32_t count = RecordCount(section);
        store.nEv2Count = count;
        FieldReader r(section);
        r.Skip(28);
        store.nInstrumentNo = static_cast<std::int32_t>(r.Read(4));
        store.ev2List.reserve(static_cast<std::size_t>(std::max(count, 0)));
        for (std::int32_t i = 0; i < count; ++i)
            store.ev2List.push_back(ReadEv2Record(r));
    }

    if (!FindSection(k30Part, FindC(), section)) {
        store.nK30Count = 0;
        return;
    }
    const std::int32_t count = RecordCount(section);
    store.nK30Count = count;
    FieldReader r(section);
    r.Skip(28);
    store.nInstrumentNo = static_cast<std::int32_t>(r.Read(4));
    store.k30List.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (std::int32_t i = 0; i < count; ++i)
        store.k30List.push_back(ReadRecord(r));
}

}  // namespace k30
