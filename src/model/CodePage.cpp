#include "CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace k30 {

namespace {

constexpr const char* kGbk = "CP936";

bool IsAscii(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

iconv_t Handle(void* h) { return static_cast<iconv_t>(h); }

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

CodePage::CodePage()
    : toGbk_(iconv_open(kGbk, "UTF-8")), fromGbk_(iconv_open("UTF-8", kGbk))
{
}

CodePage::~CodePage()
{
    if (Handle(toGbk_) != reinterpret_cast<iconv_t>(-1))
        iconv_close(Handle(toGbk_));
    if (Handle(fromGbk_) != reinterpret_cast<iconv_t>(-1))
        iconv_close(Handle(fromGbk_));
}

std::optional<std::string> CodePage::ToGbk(std::string_view utf8)
{
    if (IsAscii(utf8))
        return std::string(utf8);
    if (Handle(toGbk_) == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    iconv(Handle(toGbk_), nullptr, nullptr, nullptr, nullptr);
    std::string out(utf8.size() * 2 + 8, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    if (iconv(Handle(toGbk_), &in, &inLeft, &dst, &outLeft) == static_cast<std::size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

std::string CodePage::FromGbk(std::string_view gbk)
{
    if (IsAscii(gbk))
        return std::string(gbk);
    std::string out;
    if (Handle(fromGbk_) == reinterpret_cast<iconv_t>(-1)) {
        for (char c : gbk)
            AppendUtf8(out, static_cast<unsigned char>(c) < 0x80 ? static_cast<char32_t>(c) : U'\uFFFD');
        return out;
    }
    iconv(Handle(fromGbk_), nullptr, nullptr, nullptr, nullptr);
    out.reserve(gbk.size() * 3 / 2 + 8);
    char* in = const_cast<char*>(gbk.data());
    std::size_t inLeft = gbk.size();
    char buf[1024];
    while (inLeft > 0) {
        char* dst = buf;
        std::size_t outLeft = sizeof buf;
        const std::size_t r = iconv(Handle(fromGbk_), &in, &inLeft, &dst, &outLeft);
        out.append(buf, static_cast<std::size_t>(dst - buf));
        if (r == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // Invalid or truncated sequence: replace one byte and go on.
            AppendUtf8(out, U'\uFFFD');
            ++in;
            --inLeft;
            iconv(Handle(fromGbk_), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

std::string CodePage::Utf16LeToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    auto unit = [&](std::size_t i) {
        return static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            const char16_t lo = unit(i + 1);
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (lo - 0xDC00));
                ++i;
                continue;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF)
            AppendUtf8(out, U'\uFFFD');
        else
            AppendUtf8(out, u);
    }
    return out;
}

std::optional<std::u16string> CodePage::Utf8ToUtf16(std::string_view s)
{
    std::u16string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        char32_t cp = 0;
        int extra = 0;
        if (c < 0x80) {
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            extra = 2;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            extra = 3;
        } else {
            return std::nullopt;
        }
        if (i + static_cast<std::size_t>(extra) >= s.size())
            return std::nullopt;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char cc = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((cc & 0xC0) != 0x80)
                return std::nullopt;
            cp = (cp << 6) | (cc & 0x3F);
        }
        i += static_cast<std::size_t>(extra) + 1;
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return std::nullopt;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

}  // namespace k30
