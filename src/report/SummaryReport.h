#pragma once

#include <vector>

#include "Acceptance.h"
#include "Language.h"
#include "ReportHeader.h"
#include "ReportPage.h"
#include "TestDataStore.h"

class QPainter;

namespace k30 {

// A run of consecutive rows of one table of the summary on one page.
struct SummarySlice {
    enum class Table { K30, Ev2 };
    Table table = Table::K30;
    int first = 0;  // index of the first point in its list
    int count = 0;
};

// Which rows stand on which page: the K30 points, then the Ev2 points, each
// table continued on the next page under a repeated caption. Page 1 holds
// fewer rows, below the header, the requirements and the statistics. No page
// without a point.
std::vector<std::vector<SummarySlice>> SummaryPages(int k30Points, int ev2Points);

int SummaryPageCount(const TestDataStore& store);

// One page (from 1) of the acceptance summary, drawn in report units on a
// painter already mapped by MapReportUnits: on page 1 the report header, the
// requirements and the statistics; on every page the rows of its points with
// their values, verdicts and recompute marks, the signatures and the page
// number. `assessment` is AssessStore of the store with the requirements in
// force. Returns false when the page does not exist.
bool DrawSummaryReport(QPainter& painter, const ReportPage& page, const TestDataStore& store,
                       const ReportHeader& header, const StoreAssessment& assessment, Language lang, int pageCount,
                       int pageNumber);

}  // namespace k30
