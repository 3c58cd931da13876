#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Acceptance.h"
#include "CsvExport.h"
#include "Language.h"
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

// Writes the file atomically: the target is replaced only by a complete file.
bool ExportFile(const TestDataStore& store, const ExportRequest& request, const std::string& path,
                std::string& error);

}  // namespace k30
