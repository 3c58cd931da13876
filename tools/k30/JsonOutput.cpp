#include "JsonOutput.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iostream>
#include <string_view>

#include "Ev2Evaluation.h"

namespace k30::cli {

namespace {

// Appends JSON in the layout of nlohmann::json::dump(2): two blanks per level,
// "key": value, empty containers as [] and {}. Flushes to the stream in
// blocks so memory stays flat whatever the number of points.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) { buffer_.reserve(kBlock + 4096); }
    ~JsonWriter() { Flush(); }

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }

    // Keys are the program's own names: plain ASCII, nothing to escape.
    void Key(std::string_view key)
    {
        Item();
        buffer_ += '"';
        buffer_ += key;
        buffer_ += "\": ";
        keyed_ = true;
    }
    void Value(std::string_view text)
    {
        Item();
        String(text);
    }
    void Value(std::int64_t n)
    {
        Item();
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
        buffer_.append(digits, end);
    }
    void Value(double x)
    {
        Item();
        Number(x);
    }

    void Flush()
    {
        out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        buffer_.clear();
    }

private:
    static constexpr std::size_t kBlock = 1 << 16;

    // Places the next value: after the key, or on its own line in a container.
    void Item()
    {
        if (keyed_) {
            keyed_ = false;
            return;
        }
        if (depth_ == 0)
            return;
        if (!empty_)
            buffer_ += ',';
        empty_ = false;
        NewLine();
    }
    void NewLine()
    {
        static const std::string kLines = '\n' + std::string(200, ' ');
        const std::size_t indent = 2 * static_cast<std::size_t>(depth_);
        if (indent < kLines.size()) {
            buffer_.append(kLines, 0, indent + 1);
        } else {
            buffer_ += '\n';
            buffer_.append(indent, ' ');
        }
    }
    void Open(char bracket)
    {
        Item();
        buffer_ += bracket;
        ++depth_;
        empty_ = true;
    }
    void Close(char bracket)
    {
        --depth_;
        if (!empty_)
            NewLine();
        buffer_ += bracket;
        empty_ = false;
        if (buffer_.size() >= kBlock)
            Flush();
    }

    // Shortest text that reads back as the same double, as nlohmann writes it:
    // whole numbers below 10^15 as "n.0", non-finite values as null.
    void Number(double x)
    {
        if (!std::isfinite(x)) {
            buffer_ += "null";
            return;
        }
        char digits[64];
        char* end;
        if (x == std::trunc(x) && std::fabs(x) < 1e15) {
            if (std::signbit(x))
                buffer_ += '-';
            end = std::to_chars(digits, digits + sizeof digits, static_cast<std::int64_t>(std::fabs(x))).ptr;
            buffer_.append(digits, end);
            buffer_ += ".0";
            return;
        }
        end = nlohmann::detail::to_chars(digits, digits + sizeof digits, x);
        buffer_.append(digits, end);
    }

    void String(std::string_view s)
    {
        if (!ValidUtf8(s)) {
            // The replacement rules of nlohmann's serializer, used as they are.
            buffer_ += nlohmann::json(std::string(s)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
            return;
        }
        buffer_ += '"';
        std::size_t plain = 0;  // start of the run of bytes copied as they are
        for (std::size_t i = 0; i < s.size(); ++i) {
            const auto c = static_cast<unsigned char>(s[i]);
            if (c >= 0x20 && c != '"' && c != '\\')
                continue;
            buffer_.append(s.data() + plain, i - plain);
            plain = i + 1;
            switch (c) {
            case '"': buffer_ += "\\\""; break;
            case '\\': buffer_ += "\\\\"; break;
            case '\b': buffer_ += "\\b"; break;
            case '\t': buffer_ += "\\t"; break;
            case '\n': buffer_ += "\\n"; break;
            case '\f': buffer_ += "\\f"; break;
            case '\r': buffer_ += "\\r"; break;
            default: {
                static constexpr char kHex[] = "0123456789abcdef";
                const char escape[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
                buffer_.append(escape, sizeof escape);
            }
            }
        }
        buffer_.append(s.data() + plain, s.size() - plain);
        buffer_ += '"';
    }

    // Well-formed UTF-8: no overlong forms, surrogates or code points above U+10FFFF.
    static bool ValidUtf8(std::string_view s)
    {
        std::size_t i = 0;
        const std::size_t n = s.size();
        while (i < n) {
            const auto c = static_cast<unsigned char>(s[i]);
            if (c < 0x80) {
                ++i;
                continue;
            }
            int more = 0;
            unsigned char lo = 0x80, hi = 0xBF;  // range of the second byte
            if (c >= 0xC2 && c <= 0xDF) {
                more = 1;
            } else if (c >= 0xE0 && c <= 0xEF) {
                more = 2;
                if (c == 0xE0)
                    lo = 0xA0;
                if (c == 0xED)
                    hi = 0x9F;
            } else if (c >= 0xF0 && c <= 0xF4) {
                more = 3;
                if (c == 0xF0)
                    lo = 0x90;
                if (c == 0xF4)
                    hi = 0x8F;
            } else {
                return false;
            }
            if (n - i <= static_cast<std::size_t>(more))
                return false;
            for (int k = 1; k <= more; ++k) {
                const auto t = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
                if (k == 1 ? (t < lo || t > hi) : (t < 0x80 || t > 0xBF))
                    return false;
            }
            i += static_cast<std::size_t>(more) + 1;
        }
        return true;
    }

    std::ostream& out_;
    std::string buffer_;
    int depth_ = 0;
    bool empty_ = true;   // nothing yet in the innermost container
    bool keyed_ = false;  // a key waits for its value
};

template <std::size_t N>
void WriteReadings(JsonWriter& w, const std::array<ReadingPair, N>& reading, int count)
{
    w.Key("reading");
    w.BeginArray();
    for (int j = 0; j < count; ++j) {
        const ReadingPair& r = reading[static_cast<std::size_t>(j)];
        w.BeginObject();
        w.Key("settlement");
        w.Value(static_cast<double>(r.settlement));
        w.Key("stress");
        w.Value(static_cast<double>(r.stress));
        w.EndObject();
    }
    w.EndArray();
}

void WriteEv2Point(JsonWriter& w, const Ev2Point& p)
{
    const Ev2Result result = ComputeEv2(p.reading);
    w.BeginObject();
    w.Key("endTime");
    w.Value(p.endTime);
    w.Key("ev1");
    w.Value(result.ev1Text);
    w.Key("ev2");
    w.Value(result.ev2Text);
    w.Key("name");
    w.Value(p.name);
    w.Key("ratio");
    w.Value(result.ratioText);
    WriteReadings(w, p.reading, kEv2Pairs);
    w.Key("sigma0max");
    w.Value(result.sigma0maxText);
    w.Key("startTime");
    w.Value(p.startTime);
    w.EndObject();
}

void WriteK30Point(JsonWriter& w, const K30& p)
{
    w.BeginObject();
    w.Key("designLoad");
    w.Value(p.designLoad);
    w.Key("endTime");
    w.Value(p.endTime);
    w.Key("k30Value");
    w.Value(p.k30Value);
    w.Key("name");
    w.Value(p.name);
    WriteReadings(w, p.reading, kUsedPairs);
    w.Key("startTime");
    w.Value(p.startTime);
    w.Key("stress125");
    w.Value(p.stress125);
    w.Key("testType");
    w.Value(p.testType);
    w.EndObject();
}

}  // namespace

void WriteJson(const LoadedFile& file, std::ostream& out)
{
    const TestDataStore& s = file.store;
    JsonWriter w(out);
    w.BeginObject();
    w.Key("ev2Count");
    w.Value(std::int64_t{s.nEv2Count});
    w.Key("ev2Points");
    w.BeginArray();
    for (const Ev2Point& p : s.ev2List)
        WriteEv2Point(w, p);
    w.EndArray();
    if (file.kind == FileKind::Project) {
        auto fields = kHeaderFileOrder;
        std::sort(fields.begin(), fields.end(),
                  [](const HeaderField& a, const HeaderField& b) { return std::strcmp(a.key, b.key) < 0; });
        w.Key("header");
        w.BeginObject();
        for (const HeaderField& f : fields) {
            w.Key(f.key);
            w.Value(file.header.*f.member);
        }
        w.EndObject();
    }
    w.Key("instrumentNo");
    w.Value(std::int64_t{s.nInstrumentNo});
    w.Key("k30Count");
    w.Value(std::int64_t{s.nK30Count});
    w.Key("kind");
    w.Value(file.kind == FileKind::Raw ? "raw" : "project");
    w.Key("points");
    w.BeginArray();
    for (std::size_t k = 0; k < s.ValidCount(); ++k)
        WriteK30Point(w, s.k30List[k]);
    w.EndArray();
    w.EndObject();
}

bool HeaderFromJson(const nlohmann::json& j, ReportHeader& header, std::string& error)
{
    std::string keys;
    for (const HeaderField& f : kHeaderFileOrder)
        keys += std::string(keys.empty() ? "" : ", ") + f.key;
    if (!j.is_object()) {
        error = "the header must be a JSON object with string members; valid keys: " + keys;
        return false;
    }
    header = ReportHeader{};
    for (const auto& item : j.items()) {
        const std::string& key = item.key();
        const auto& value = item.value();
        const auto field = std::find_if(kHeaderFileOrder.begin(), kHeaderFileOrder.end(),
                                        [&key](const HeaderField& f) { return key == f.key; });
        if (field == kHeaderFileOrder.end()) {
            error = "\"" + key + "\" is not a header member; valid keys: " + keys;
            return false;
        }
        if (!value.is_string()) {
            error = "header member " + key + " must be a string; valid keys: " + keys;
            return false;
        }
        header.*field->member = value.get<std::string>();
    }
    return true;
}

HeaderFileStatus ReadHeaderFile(const std::string& path, ReportHeader& header)
{
    const FileReadResult file = ReadWholeFile(path, 16ull * 1024 * 1024);
    if (!file.ok) {
        std::cerr << "k30: " << path << ": " << file.error << "\n";
        return HeaderFileStatus::Unreadable;
    }
    const auto j = nlohmann::json::parse(file.bytes.begin(), file.bytes.end(), nullptr, false);
    std::string error = "not valid JSON";
    // Read into a copy: a refused file leaves the header as it was.
    ReportHeader read;
    if (j.is_discarded() || !HeaderFromJson(j, read, error)) {
        std::cerr << "k30: " << path << ": " << error << "\n";
        return HeaderFileStatus::Invalid;
    }
    header = read;
    return HeaderFileStatus::Ok;
}

}  // namespace k30::cli
