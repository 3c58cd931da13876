#pragma once

#include <ostream>

#include <nlohmann/json.hpp>

#include "DataFile.h"

namespace k30::cli {

// Writes the JSON form of "k30 show --json" as it goes, point by point: the
// output of nlohmann::json's dump(2) with invalid UTF-8 replaced by U+FFFD
// (members in key order), without building the document in memory.
void WriteJson(const LoadedFile& file, std::ostream& out);

// Header members from a JSON object; missing members stay empty. Returns
// false with a message for anything but an object whose members are header
// members with string values.
bool HeaderFromJson(const nlohmann::json& j, ReportHeader& header, std::string& error);

enum class HeaderFileStatus { Ok, Unreadable, Invalid };

// Reads a JSON header file (--header); on failure prints "k30: PATH: problem".
HeaderFileStatus ReadHeaderFile(const std::string& path, ReportHeader& header);

// Exit code of a command whose header file failed: 2 for a file that is not a
// valid header (as for a bad option), 1 for one that cannot be read.
inline int HeaderFileExitCode(HeaderFileStatus status) { return status == HeaderFileStatus::Invalid ? 2 : 1; }

}  // namespace k30::cli
