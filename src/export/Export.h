#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Acceptance.h"
#include "CsvExport.h"
#include "Language.h"
#include "Progress.h"
#include "ReportHeader.h"

namespace k30 {

class TestDataStore;

enum class ExportFormat { Csv, Xlsx, Ags4 };

// The format a file name asks for by its ending (".csv", ".xlsx", ".ags"),
// whatever the letter case; nullopt for any other name.
std::optional<ExportFormat> FormatOfPath(std::string_view path);

// What one export covers.
struct ExportRequest {
    ExportFormat format = ExportFormat::Csv;
    CsvTable table = CsvTable::K30;  // CSV only
    ReportHeader header;
    Requirements required;
    Language lang = Language::English;
};

// Whether the store holds anything to export: a valid K30 point or an Ev2 point.
bool HasTestPoints(const TestDataStore& store);

// The file's bytes; false with error set when they cannot be made: a store
// without test points, or for AGS4 a user text outside ASCII (error then
// names the fields and texts in request.lang).
bool ExportBytes(const TestDataStore& store, const ExportRequest& request, std::string& bytes, std::string& error);

// The same, telling progress when the bytes are made (done 1 of 1); false
// from it stops with error kCancelledError.
bool ExportBytes(const TestDataStore& store, const ExportRequest& request, std::string& bytes, std::string& error,
                 const ProgressFn& progress);

// Writes the file atomically: the target is replaced only by a complete file.
// progress is told the bytes made and then the bytes written; when it returns
// false the target stays as it was (no file, or its old bytes) and no
// temporary file is left beside it.
bool ExportFile(const TestDataStore& store, const ExportRequest& request, const std::string& path,
                std::string& error, const ProgressFn& progress = {});

}  // namespace k30
