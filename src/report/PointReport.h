#pragma once

#include "Acceptance.h"
#include "Language.h"
#include "ReportHeader.h"
#include "ReportPage.h"
#include "TestDataStore.h"

class QPainter;

namespace k30 {

// The point report of one printed page, drawn in report units on a painter
// already mapped by MapReportUnits. Print type 3 draws the first point named
// store.strCurK30Name (the point of index page - 1 when no point has that name;
// nothing when the name is empty); print type 4 the point of index page - 1,
// with the page number. The conclusion box judges the point against the
// required K30 and stays empty without one. Returns false when it drew nothing.
bool DrawK30PointReport(QPainter& painter, const ReportPage& page, const TestDataStore& store,
                        const ReportHeader& header, Language lang, int printType, int pageCount, int pageNumber,
                        const Requirements& required = {});

// The point report of the bitmap, in the rectangle whose corner is (rect.L,
// rect.T) and whose size is rect.W x rect.H, one unit per pixel: the first point
// named store.strCurK30Name. Returns false, drawing nothing, when no point has
// that name.
bool DrawK30PointBitmap(QPainter& painter, const ReportPage& rect, const TestDataStore& store,
                        const ReportHeader& header, Language lang);

}  // namespace k30
