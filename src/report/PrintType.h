#pragma once

#include "SummaryReport.h"
#include "TestDataStore.h"

namespace k30 {

// Which report printing produces; the values are those the print options
// dialog stores.
inline constexpr int kPrintCurrentPoint = 3;  // point report of the current point, one page
inline constexpr int kPrintAllPoints = 4;     // point report of every point, one page each
inline constexpr int kPrintPointList = 5;     // list of all points, 40 to a page
inline constexpr int kPrintEv2CurrentPoint = 6;  // Ev2 report of the shown Ev2 point, one page
inline constexpr int kPrintEv2AllPoints = 7;     // Ev2 report of every Ev2 point, one page each
inline constexpr int kPrintSummary = 8;          // acceptance summary of every point

inline constexpr int kListPointsPerPage = 40;

inline bool IsPrintType(int type) { return type >= kPrintCurrentPoint && type <= kPrintSummary; }

// Pages of the report of this type for the points in the store.
inline int ReportPageCount(const TestDataStore& store, int printType)
{
    const int count = static_cast<int>(store.ValidCount());
    switch (printType) {
    case kPrintCurrentPoint:
        return 1;
    case kPrintAllPoints:
        return count;
    case kPrintPointList:
        return (count + kListPointsPerPage - 1) / kListPointsPerPage;
    case kPrintEv2CurrentPoint:
        return 1;
    case kPrintEv2AllPoints:
        return static_cast<int>(store.ev2List.size());
    case kPrintSummary:
        return SummaryPageCount(store);
    default:
        return 0;
    }
}

}  // namespace k30
