#pragma once

#include <optional>
#include <string>

#include "Acceptance.h"
#include "Language.h"
#include "ReportHeader.h"
#include "ReportPage.h"
#include "TestDataStore.h"

class QPainter;

namespace k30 {

// The Ev2 point report of one A4 portrait page, in report units on a painter
// mapped by MapReportUnits: the report header, the 17 readings in their three
// groups, the chart with both fits, sigma0max, a0/a1/a2, Ev1, Ev2, Ev2/Ev1
// and the method, the Ev2 limits in force and the conclusion against them
// (empty without limits). The current-point type draws the first Ev2 point named
// store.strCurEv2Name; the all-points type the Ev2 point of index page - 1,
// with the page number. Returns false, drawing nothing, when there is no such
// point.
bool DrawEv2PointReport(QPainter& painter, const ReportPage& page, const TestDataStore& store,
                        const ReportHeader& header, Language lang, int printType, int pageCount, int pageNumber,
                        const Requirements& required = {});

// Index of the first Ev2 point with exactly this name.
std::optional<std::size_t> FindEv2PointByName(const TestDataStore& store, const std::string& name);

}  // namespace k30
