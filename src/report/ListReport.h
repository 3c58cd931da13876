#pragma once

#include "Language.h"
#include "ReportHeader.h"
#include "ReportPage.h"
#include "TestDataStore.h"

class QPainter;

namespace k30 {

// One page (from 1) of the list of all points, 40 points to a page, drawn in
// report units on a painter already mapped by MapReportUnits. The header
// block stands on page 1 only. Returns false when the page holds no point.
// "label: value", as the list and the summary print a header member.
QString ListHeaderLabelled(std::string ReportHeader::*member, const std::string& value, Language lang);

bool DrawK30ListReport(QPainter& painter, const ReportPage& page, const TestDataStore& store,
                       const ReportHeader& header, Language lang, int pageCount, int pageNumber);

}  // namespace k30
