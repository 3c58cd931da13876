#pragma once

#include <string>

#include "Acceptance.h"
#include "ExportTables.h"
#include "Language.h"
#include "ReportHeader.h"

namespace k30 {

class TestDataStore;

enum class CsvTable { K30, Ev2 };

// A table as CSV: UTF-8 with a byte order mark, comma separated, RFC 4180
// quoting (a field with a comma, quote or line break is quoted, quotes
// doubled), CRLF after every row, numbers with a decimal point whatever the
// locale. A text cell beginning with = + - @, a tab or a carriage return
// gets a leading apostrophe so that no spreadsheet runs it as a formula.
std::string TableToCsv(const ExportTable& table);

// The K30 or Ev2 table of every point of the store, titles in lang. The
// header is not part of either table.
std::string WriteCsv(const TestDataStore& store, const ReportHeader& header, const Requirements& required,
                     Language lang, CsvTable table);

}  // namespace k30
