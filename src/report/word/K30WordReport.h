#pragma once

#include "Language.h"
#include "ReportHeader.h"
#include "TestDataStore.h"

namespace k30 {

class CDornWordOffice;

// Writes the report of every K30 point into a new document of the office and
// makes it visible: the title, the report information (client, elevation,
// project name, point location, subgrade mileage, fill layer, report number,
// filler name, required coefficient, report date, detection environment of
// info), the results two points a row, and the sign-off line.
void WriteK30WordReport(CDornWordOffice& office, const TestDataStore& store, const ReportHeader& info, Language lang);

}  // namespace k30
