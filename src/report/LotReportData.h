#pragma once

#include <QString>

#include "LotReport.h"
#include "SiteTypes.h"

namespace k30::site {
class SiteDatabase;
}

namespace k30 {

// The chart and a lot report hold at most this many points.
inline constexpr qint64 kLotMaxChartPoints = 20000;
inline constexpr qint64 kLotMaxReportRows = 2000;

// The date of a point ("2026-05-12"), from its start time as the instrument wrote it.
QString SitePointDate(const site::SitePoint& point);
// K30 of a K30 point, Ev2 of an Ev2 point.
QString SitePointValue(const site::SitePoint& point);

// The filter in words ("layer 3; chainage DK125+300 to DK125+900"), or "all points".
QString LotFilterWords(const site::SiteFilter& filter, Language lang);

// The chart along the chainage of what the filter chooses: Ev2 when the filter
// (or, without a kind, the statistics) holds only Ev2 points, else K30.
SiteChartData LotChartData(site::SiteDatabase& db, const site::SiteFilter& filter, const site::SiteStats& stats,
                           Language lang);

// Everything the lot report of a filter prints, read from the database; the
// rows in the given order. The site page passes the statistics it already has.
LotReportData BuildLotReport(site::SiteDatabase& db, const site::SiteFilter& filter, const site::SiteSort& sort,
                             const ReportHeader& header, Language lang, const site::SiteStats* known = nullptr);

}  // namespace k30
