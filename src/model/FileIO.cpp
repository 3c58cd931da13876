#include "FileIO.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

namespace k30 {

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;
}  // namespace

FileReadResult ReadWholeFile(const std::string& path, std::uint64_t maxBytes)
{
    FileReadResult r;
    FilePtr f(std::fopen(path.c_str(), "rb"));
    if (!f) {
        r.error = std::strerror(errno);
        return r;
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t buf[65536];
    for (;;) {
        const std::size_t n = std::fread(buf, 1, sizeof buf, f.get());
        if (n > 0) {
            if (bytes.size() + n > maxBytes) {
                r.error = "the file is larger than " + std::to_string(maxBytes / (1024 * 1024)) + " MiB";
                return r;
            }
            bytes.insert(bytes.end(), buf, buf + n);
        }
        if (n < sizeof buf) {
            if (std::ferror(f.get())) {
                r.error = std::strerror(errno);
                return r;
            }
            break;
        }
    }
    r.ok = true;
    r.bytes = std::move(bytes);
    return r;
}

namespace {

constexpr std::string_view kRawEnding = ".ORG";
constexpr std::string_view kProjectEnding = ".K30";

// ASCII letters only: the endings are ASCII, and the bytes of a multi-byte
// character never compare equal to them.
bool EndsWithAnyCase(const std::string& path, std::string_view ending)
{
    if (path.size() < ending.size())
        return false;
    const std::size_t at = path.size() - ending.size();
    for (std::size_t i = 0; i < ending.size(); ++i) {
        char c = path[at + i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != ending[i])
            return false;
    }
    return true;
}

}  // namespace

FileKind KindOfPath(const std::string& path)
{
    if (EndsWithAnyCase(path, kRawEnding))
        return FileKind::Raw;
    if (EndsWithAnyCase(path, kProjectEnding))
        return FileKind::Project;
    return FileKind::Unknown;
}

std::string WithEnding(const std::string& path, FileKind kind)
{
    if (kind == FileKind::Unknown || KindOfPath(path) == kind)
        return path;
    return path + std::string(kind == FileKind::Raw ? kRawEnding : kProjectEnding);
}

}  // namespace k30
