#pragma once

#include <string>

#include "Language.h"

namespace k30 {

// The settings file lives in the working directory; only its first byte counts.
inline constexpr const char* kSettingsFile = "Config.cfg";

// 'C' is Chinese; any other byte, and a missing, empty or unreadable file, is English.
Language ReadLanguage(const std::string& path);

// Overwrites the first byte ('C' or 'E') and keeps the rest. Never creates the
// file. Returns false when it cannot be written.
bool WriteLanguage(Language lang, const std::string& path);

// Where the language is kept: the working directory's file when there is one
// (an installation or a site folder provides it), else a file of the same form
// in the user's configuration folder, so that a program started from the
// desktop, in whatever folder, keeps the operator's choice.
struct LanguageFiles {
    std::string working = kSettingsFile;
    std::string user;  // empty: no user file
};

// The first byte of the working file, else of the user's file, else English.
Language ReadLanguage(const LanguageFiles& files = {});

// Writes the working file when it exists, else the user's file, created with
// its folders when missing. Bytes after the first are kept.
bool WriteLanguage(Language lang, const LanguageFiles& files = {});

}  // namespace k30
