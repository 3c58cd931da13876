// Any bytes as the report header file of "k30 convert/report/word --header".
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <streambuf>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

#include "FuzzCheck.h"
#include "JsonOutput.h"

using namespace k30;

namespace {

class Discard : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

int MemoryFile()
{
    static const int fd = ::memfd_create("header.json", MFD_CLOEXEC);
    return fd;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The reader says what is wrong on std::cerr; a million such lines would
    // only slow the run. Sanitizer reports go to the descriptor and stay.
    static Discard discard;
    std::cerr.rdbuf(&discard);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const int fd = MemoryFile();
    K30_FUZZ_CHECK(fd >= 0 && ::ftruncate(fd, 0) == 0);
    K30_FUZZ_CHECK(size == 0 || ::pwrite(fd, data, size, 0) == static_cast<ssize_t>(size));
    ReportHeader header;
    header.Client = "kept unless the file is read";
    const auto status = cli::ReadHeaderFile("/proc/self/fd/" + std::to_string(fd), header);
    if (status == cli::HeaderFileStatus::Ok) {
        // Every member read is one of the file's strings: at most all of it.
        for (const HeaderField& f : kHeaderFileOrder)
            K30_FUZZ_CHECK((header.*f.member).size() <= size);
    } else {
        // A refused file leaves the header as it was.
        K30_FUZZ_CHECK(header.Client == "kept unless the file is read");
    }
    return 0;
}
