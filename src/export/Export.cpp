#include "Export.h"

#include <algorithm>
#include <cctype>

#include "Ags4Export.h"
#include "FileIO.h"
#include "TestDataStore.h"
#include "XlsxExport.h"

namespace k30 {

namespace {

bool EndsWithNoCase(std::string_view text, std::string_view ending)
{
    if (text.size() < ending.size())
        return false;
    return std::equal(ending.begin(), ending.end(), text.end() - static_cast<std::ptrdiff_t>(ending.size()),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

}  // namespace

std::optional<ExportFormat> FormatOfPath(std::string_view path)
{
    if (EndsWithNoCase(path, ".csv"))
        return ExportFormat::Csv;
    if (EndsWithNoCase(path, ".xlsx"))
        return ExportFormat::Xlsx;
    if (EndsWithNoCase(path, ".ags"))
        return ExportFormat::Ags4;
    return std::nullopt;
}

bool HasTestPoints(const TestDataStore& store) { return store.ValidCount() > 0 || !store.ev2List.empty(); }

bool ExportBytes(const TestDataStore& store, const ExportRequest& request, std::string& bytes, std::string& error)
{
    if (!HasTestPoints(store)) {
        error = "no test point to export";
        return false;
    }
    switch (request.format) {
    case ExportFormat::Csv:
        bytes = WriteCsv(store, request.header, request.required, request.lang, request.table);
        return true;
    case ExportFormat::Xlsx:
        return WriteXlsx(store, request.header, request.required, request.lang, bytes, error);
    case ExportFormat::Ags4: {
        // Nothing is transliterated or dropped: a text AGS4 cannot hold stops the export.
        const auto foreign = NonAsciiTexts(store, request.header, request.lang);
        if (!foreign.empty()) {
            error = NonAsciiMessage(foreign, request.lang);
            return false;
        }
        bytes = WriteAgs4(store, request.header, request.required);
        return true;
    }
    }
    error = "unknown export format";
    return false;
}

bool ExportBytes(const TestDataStore& store, const ExportRequest& request, std::string& bytes, std::string& error,
                 const ProgressFn& progress)
{
    if (!ExportBytes(store, request, bytes, error))
        return false;
    if (progress && !progress(1, 1)) {
        bytes.clear();
        error = kCancelledError;
        return false;
    }
    return true;
}

bool ExportFile(const TestDataStore& store, const ExportRequest& request, const std::string& path,
                std::string& error, const ProgressFn& progress)
{
    std::string bytes;
    if (!ExportBytes(store, request, bytes, error, progress))
        return false;
    return WriteFileAtomically(path, bytes.data(), bytes.size(), error, nullptr, progress);
}

}  // namespace k30
