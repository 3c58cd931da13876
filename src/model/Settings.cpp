#include "Settings.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

namespace k30 {

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

char LanguageByte(Language lang) { return lang == Language::Chinese ? 'C' : 'E'; }

// nullopt for a file that cannot be read or holds no byte.
std::optional<Language> LanguageIn(const std::string& path)
{
    FilePtr f(std::fopen(path.c_str(), "rb"));
    if (!f)
        return std::nullopt;
    const int c = std::fgetc(f.get());
    if (c == EOF)
        return std::nullopt;
    return c == 'C' ? Language::Chinese : Language::English;
}

bool Exists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}
}  // namespace

Language ReadLanguage(const std::string& path) { return LanguageIn(path).value_or(Language::English); }

bool WriteLanguage(Language lang, const std::string& path)
{
    // "r+b": opens an existing file for writing without truncating it.
    FilePtr f(std::fopen(path.c_str(), "r+b"));
    if (!f)
        return false;
    if (std::fputc(LanguageByte(lang), f.get()) == EOF)
        return false;
    return std::fflush(f.get()) == 0;
}

Language ReadLanguage(const LanguageFiles& files)
{
    if (const auto lang = LanguageIn(files.working))
        return *lang;
    if (!files.user.empty())
        if (const auto lang = LanguageIn(files.user))
            return *lang;
    return Language::English;
}

bool WriteLanguage(Language lang, const LanguageFiles& files)
{
    if (Exists(files.working) || files.user.empty())
        return WriteLanguage(lang, files.working);
    if (Exists(files.user))
        return WriteLanguage(lang, files.user);
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(files.user).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, ec);
    FilePtr f(std::fopen(files.user.c_str(), "wb"));
    if (!f)
        return false;
    if (std::fputc(LanguageByte(lang), f.get()) == EOF)
        return false;
    return std::fflush(f.get()) == 0;
}

}  // namespace k30
