#include "Settings.h"

#include <cstdio>
#include <memory>

namespace k30 {

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;
}  // namespace

Language ReadLanguage(const std::string& path)
{
    FilePtr f(std::fopen(path.c_str(), "rb"));
    if (!f)
        return Language::English;
    const int c = std::fgetc(f.get());
    return c == 'C' ? Language::Chinese : Language::English;
}

bool WriteLanguage(Language lang, const std::string& path)
{
    // "r+b": opens an existing file for writing without truncating it.
    FilePtr f(std::fopen(path.c_str(), "r+b"));
    if (!f)
        return false;
    const int byte = lang == Language::Chinese ? 'C' : 'E';
    if (std::fputc(byte, f.get()) == EOF)
        return false;
    return std::fflush(f.get()) == 0;
}

}  // namespace k30
