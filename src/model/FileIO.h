#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "AtomicFile.h"

namespace k30 {

// A real transfer is a few hundred KiB of text; anything this large is not one.
inline constexpr std::uint64_t kMaxRawFileBytes = 64ull * 1024 * 1024;

struct FileReadResult {
    bool ok = false;
    std::string error;  // English
    std::vector<std::uint8_t> bytes;
};

// Reads a whole file; refuses files larger than maxBytes without reading them.
FileReadResult ReadWholeFile(const std::string& path, std::uint64_t maxBytes);

// The two file kinds are told apart by the last four characters, ".ORG" or
// ".K30" in any letter case: files from other systems arrive as "x.org" or
// "x.k30". Anything else, "x.K30.bak" among them, is neither.
enum class FileKind { Raw, Project, Unknown };
FileKind KindOfPath(const std::string& path);

// The path a save writes: the path itself when it already ends in the kind's
// ending in some letter case, else the path with ".ORG" or ".K30" appended.
std::string WithEnding(const std::string& path, FileKind kind);

}  // namespace k30
