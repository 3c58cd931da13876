#include "FileIO.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

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

FileKind KindOfPath(const std::string& path)
{
    if (path.size() < 4)
        return FileKind::Unknown;
    const std::string tail = path.substr(path.size() - 4);
    if (tail == ".ORG")
        return FileKind::Raw;
    if (tail == ".K30")
        return FileKind::Project;
    return FileKind::Unknown;
}

}  // namespace k30
