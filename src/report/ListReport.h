#pragma once

#include <QStringList>

#include <vector>

#include "Acceptance.h"
#include "Language.h"
#include "ReportHeader.h"
#include "ReportPage.h"
#include "TestDataStore.h"

class QPainter;

namespace k30 {

class ReportCanvas;

// The header block of the list and the summary: columns of texts, starting
// at the given x, in a frame from left to right below y. Rows stand one line
// apart; when a text does not fit its column, every row gets room for two
// lines and the block grows. Returns the y below the block.
int DrawHeaderColumns(ReportCanvas& c, int left, int right, int y, const std::vector<int>& columnX,
                      const std::vector<QStringList>& columns);

// "label: value", as the list and the summary print a header member.
QString ListHeaderLabelled(std::string ReportHeader::*member, const std::string& value, Language lang);

// One page (from 1) of the list of all points, 40 points to a page, drawn in
// report units on a painter already mapped by MapReportUnits. The header
// block stands on page 1 only; the last page ends with the overall
// conclusion, and with a required K30 every point gets a verdict column.
// Returns false when the page holds no point.
bool DrawK30ListReport(QPainter& painter, const ReportPage& page, const TestDataStore& store,
                       const ReportHeader& header, Language lang, int pageCount, int pageNumber,
                       const Requirements& required = {});

}  // namespace k30
