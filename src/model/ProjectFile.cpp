#include "ProjectFile.h"

#include <cstring>
#include <limits>

#include "CodePage.h"
#include "TestDataStore.h"

namespace k30 {

namespace {

// Seven empty texts and 32 floats: the smallest possible point block.
constexpr std::size_t kMinPointBlock = 7 + 32 * 4;

class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& out) : out_(out) {}

    void U8(std::uint8_t v) { out_.push_back(v); }
    void U16(std::uint16_t v)
    {
        out_.push_back(static_cast<std::uint8_t>(v));
        out_.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void F32(float f)
    {
        std::uint32_t v;
        std::memcpy(&v, &f, 4);
        U32(v);
    }
    void Length(std::size_t n)
    {
        if (n < 0xFF) {
            U8(static_cast<std::uint8_t>(n));
        } else if (n < 0xFFFE) {
            U8(0xFF);
            U16(static_cast<std::uint16_t>(n));
        } else {
            U8(0xFF);
            U16(0xFFFF);
            U32(static_cast<std::uint32_t>(n));
        }
    }
    // GBK bytes when the code page holds every character; otherwise the
    // 16-bit form (0xFF, 0xFFFE, count of UTF-16 units, UTF-16LE).
    void Text(CodePage& cp, const std::string& utf8)
    {
        if (auto gbk = cp.ToGbk(utf8)) {
            Length(gbk->size());
            out_.insert(out_.end(), gbk->begin(), gbk->end());
            return;
        }
        const auto utf16 = CodePage::Utf8ToUtf16(utf8).value_or(std::u16string(u"\uFFFD"));
        U8(0xFF);
        U16(0xFFFE);
        Length(utf16.size());
        for (char16_t u : utf16)
            U16(static_cast<std::uint16_t>(u));
    }

private:
    std::vector<std::uint8_t>& out_;
};

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : p_(data), left_(size) {}

    std::size_t Remaining() const { return left_; }
    bool Failed() const { return failed_; }
    const std::string& Error() const { return error_; }

    bool Fail(std::string message)
    {
        if (!failed_) {
            failed_ = true;
            error_ = std::move(message);
        }
        return false;
    }

    bool Bytes(void* dst, std::size_t n, const char* what)
    {
        if (failed_)
            return false;
        if (n > left_)
            return Fail(std::string("file ends inside ") + what);
        std::memcpy(dst, p_, n);
        p_ += n;
        left_ -= n;
        return true;
    }
    std::uint8_t U8(const char* what)
    {
        std::uint8_t b[1] = {0};
        Bytes(b, 1, what);
        return b[0];
    }
    std::uint16_t U16(const char* what)
    {
        std::uint8_t b[2] = {0, 0};
        Bytes(b, 2, what);
        return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
    }
    std::uint32_t U32(const char* what)
    {
        std::uint8_t b[4] = {0, 0, 0, 0};
        Bytes(b, 4, what);
        return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
               (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    }
    std::uint64_t U64(const char* what)
    {
        const std::uint64_t lo = U32(what);
        const std::uint64_t hi = U32(what);
        return lo | (hi << 32);
    }
    float F32(const char* what)
    {
        const std::uint32_t v = U32(what);
        float f;
        std::memcpy(&f, &v, 4);
        return f;
    }

    // The length scheme without the 16-bit flag: byte; 0xFF and 16 bits;
    // 0xFF, 0xFFFF and 32 bits; 0xFF, 0xFFFF, 0xFFFFFFFF and 64 bits.
    std::uint64_t PlainLength(std::uint8_t first, const char* what)
    {
        if (first < 0xFF)
            return first;
        const std::uint16_t w = U16(what);
        return WideLength(w, what);
    }
    std::uint64_t WideLength(std::uint16_t w, const char* what)
    {
        if (w < 0xFFFF)
            return w;
        const std::uint32_t d = U32(what);
        if (d < 0xFFFFFFFFu)
            return d;
        return U64(what);
    }

    std::string Text(CodePage& cp, const char* what)
    {
        const std::uint8_t first = U8(what);
        bool wide = false;
        std::uint64_t length = 0;
        if (first < 0xFF) {
            length = first;
        } else {
            const std::uint16_t w = U16(what);
            if (w == 0xFFFE) {
                wide = true;
                length = PlainLength(U8(what), what);
            } else {
                length = WideLength(w, what);
            }
        }
        if (failed_)
            return {};
        const std::uint64_t bytes = wide ? length * 2 : length;
        if (length > left_ || bytes > left_) {
            Fail(std::string("length of ") + what + " exceeds the rest of the file");
            return {};
        }
        std::string raw(reinterpret_cast<const char*>(p_), static_cast<std::size_t>(bytes));
        p_ += bytes;
        left_ -= static_cast<std::size_t>(bytes);
        return wide ? CodePage::Utf16LeToUtf8(raw) : cp.FromGbk(raw);
    }

private:
    const std::uint8_t* p_;
    std::size_t left_;
    bool failed_ = false;
    std::string error_;
};

}  // namespace

std::vector<std::uint8_t> WriteProject(std::int32_t instrumentNo, const std::vector<const K30*>& points,
                                       const ReportHeader& header)
{
    std::vector<std::uint8_t> out;
    out.reserve(64 + points.size() * 200);
    Writer w(out);
    CodePage cp;
    w.U32(static_cast<std::uint32_t>(points.size()));
    w.U32(static_cast<std::uint32_t>(instrumentNo));
    for (const K30* p : points) {
        for (const std::string* t : {&p->name, &p->startTime, &p->endTime, &p->stress125, &p->k30Value,
                                     &p->testType, &p->designLoad})
            w.Text(cp, *t);
        for (int j = 0; j < kUsedPairs; ++j) {
            w.F32(p->reading[static_cast<std::size_t>(j)].stress);
            w.F32(p->reading[static_cast<std::size_t>(j)].settlement);
        }
    }
    for (const HeaderField& f : kHeaderFileOrder)
        w.Text(cp, header.*f.member);
    return out;
}

ProjectReadResult ReadProject(const std::uint8_t* data, std::size_t size)
{
    ProjectReadResult result;
    Reader r(data, size);
    CodePage cp;
    const std::uint32_t count = r.U32("the point count");
    result.data.instrumentNo = static_cast<std::int32_t>(r.U32("the instrument number"));
    if (r.Failed()) {
        result.error = "not a project file: " + r.Error();
        return result;
    }
    if (count > r.Remaining() / kMinPointBlock) {
        result.error = "damaged project file: it claims " + std::to_string(count) +
                       " test points, more than its size can hold";
        return result;
    }
    result.data.points.reserve(count);
    for (std::uint32_t i = 0; i < count && !r.Failed(); ++i) {
        K30 p;
        for (std::string* t : {&p.name, &p.startTime, &p.endTime, &p.stress125, &p.k30Value, &p.testType,
                               &p.designLoad})
            *t = r.Text(cp, "a test point text");
        for (int j = 0; j < kUsedPairs; ++j) {
            p.reading[static_cast<std::size_t>(j)].stress = r.F32("the readings");
            p.reading[static_cast<std::size_t>(j)].settlement = r.F32("the readings");
        }
        if (!r.Failed())
            result.data.points.push_back(std::move(p));
    }
    for (const HeaderField& f : kHeaderFileOrder)
        result.data.header.*f.member = r.Text(cp, "the report header");
    if (r.Failed()) {
        result.error = "damaged project file: " + r.Error();
        if (result.data.points.size() < count)
            result.error += " (test point " + std::to_string(result.data.points.size() + 1) + " of " +
                            std::to_string(count) + ")";
        return result;
    }
    result.ok = true;
    return result;
}

void ApplyProject(const ProjectData& data, TestDataStore& store)
{
    store.nEv2Count = 0;
    store.ev2List.clear();
    store.k30List = data.points;
    store.nK30Count = static_cast<std::int32_t>(data.points.size());
    store.nInstrumentNo = data.instrumentNo;
}

}  // namespace k30
