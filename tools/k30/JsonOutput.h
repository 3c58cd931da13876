#pragma once

#include <nlohmann/json.hpp>

#include "DataFile.h"

namespace k30::cli {

// The JSON form of "k30 show --json".
nlohmann::json ToJson(const LoadedFile& file);

// Header members from a JSON object; missing members stay empty.
// Returns false with a message for anything but an object of strings.
bool HeaderFromJson(const nlohmann::json& j, ReportHeader& header, std::string& error);

// Reads a JSON header file (--header); on failure prints "k30: PATH: problem".
bool ReadHeaderFile(const std::string& path, ReportHeader& header);

}  // namespace k30::cli
