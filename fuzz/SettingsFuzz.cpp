// Any bytes as the settings file: read at start, then written by a language
// command, which changes the first byte and nothing else.
#include <cstddef>
#include <cstdint>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

#include "FuzzCheck.h"
#include "Settings.h"

using namespace k30;

namespace {

// An in-memory file, reached by path as the program reaches Config.cfg.
int MemoryFile()
{
    static const int fd = ::memfd_create("Config.cfg", MFD_CLOEXEC);
    return fd;
}

void Fill(const std::uint8_t* data, std::size_t size)
{
    const int fd = MemoryFile();
    K30_FUZZ_CHECK(fd >= 0 && ::ftruncate(fd, 0) == 0);
    K30_FUZZ_CHECK(size == 0 || ::pwrite(fd, data, size, 0) == static_cast<ssize_t>(size));
}

std::string Contents()
{
    std::string bytes(static_cast<std::size_t>(::lseek(MemoryFile(), 0, SEEK_END)), '\0');
    K30_FUZZ_CHECK(::pread(MemoryFile(), bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size()));
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = "/proc/self/fd/" + std::to_string(MemoryFile());
    Fill(data, size);
    const Language read = ReadLanguage(path);
    K30_FUZZ_CHECK(read == (size > 0 && data[0] == 'C' ? Language::Chinese : Language::English));

    const Language other = read == Language::Chinese ? Language::English : Language::Chinese;
    K30_FUZZ_CHECK(WriteLanguage(other, path));
    const std::string after = Contents();
    const std::string rest = size > 1 ? std::string(reinterpret_cast<const char*>(data) + 1, size - 1) : std::string();
    K30_FUZZ_CHECK(after == std::string(1, other == Language::Chinese ? 'C' : 'E') + rest);
    K30_FUZZ_CHECK(ReadLanguage(path) == other);
    return 0;
}
