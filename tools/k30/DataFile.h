#pragma once

#include <string>

#include "Acceptance.h"
#include "FileIO.h"
#include "ReportHeader.h"
#include "TestDataStore.h"

namespace k30::cli {

// A raw or project file loaded as the Open command loads it.
struct LoadedFile {
    FileKind kind = FileKind::Unknown;
    TestDataStore store;
    ReportHeader header;
    std::string rawText;  // raw files only
};

enum class LoadStatus { Ok, UnknownKind, Failed };

// On failure prints "k30: PATH: problem" on stderr.
LoadStatus LoadDataFile(const std::string& path, LoadedFile& out);

// The same, as a command's exit code: 0 loaded, 2 not a raw or project file
// name, 1 unreadable or damaged.
int LoadDataFileExitCode(const std::string& path, LoadedFile& out);

// The required K30 of a header as the window takes it; a text that is no
// number sets none, and a warning naming it goes to stderr.
void TakeHeaderRequirement(const ReportHeader& header, Requirements& required, Language lang);

}  // namespace k30::cli
