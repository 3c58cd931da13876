#pragma once

#include <string>

#include "Acceptance.h"
#include "Language.h"
#include "ReportHeader.h"

namespace k30 {

class TestDataStore;

// An Excel workbook of the store: sheets "K30" (the K30 table), "Ev2" (only
// when there are Ev2 points), "Header" (the fourteen report header texts with
// their labels) and "Summary" (the requirements and the statistics). Numbers
// are stored as numbers with the decimals the CSV shows, texts as texts; the
// title rows are bold and frozen. False with error set when the workbook
// cannot be made (it is built in a temporary file, which is removed).
bool WriteXlsx(const TestDataStore& store, const ReportHeader& header, const Requirements& required, Language lang,
               std::string& bytes, std::string& error);

}  // namespace k30
