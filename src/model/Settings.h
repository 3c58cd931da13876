#pragma once

#include <string>

#include "Language.h"

namespace k30 {

// The settings file lives in the working directory; only its first byte counts.
inline constexpr const char* kSettingsFile = "Config.cfg";

// 'C' is Chinese; any other byte, and a missing, empty or unreadable file, is English.
Language ReadLanguage(const std::string& path = kSettingsFile);

// Overwrites the first byte ('C' or 'E') and keeps the rest. Never creates the file:
// it comes with the installation. Returns false when it cannot be written.
bool WriteLanguage(Language lang, const std::string& path = kSettingsFile);

}  // namespace k30
