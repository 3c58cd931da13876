#pragma once

#include <QString>

#include <vector>

#include "Acceptance.h"
#include "Language.h"
#include "ReportHeader.h"
#include "ReportPage.h"
#include "SiteChart.h"

class QIODevice;
class QPainter;
class QPrinter;

namespace k30 {

// One row of the lot report's table, as the site page shows it.
struct LotRow {
    QString kind;  // "K30" or "Ev2"
    QString name;
    QString date;
    QString chainage;
    QString offset;
    QString layer;
    QString lot;
    QString value;  // K30 or Ev2
    QString ratio;  // Ev2/Ev1 of Ev2 points
    Verdict verdict = Verdict::None;
};

// Everything a lot report prints: what the filter chose, in words; the
// statistics and verdict counts of all the points it chose; the chart; the
// rows (the points the filter chose, at most a report's worth of them).
struct LotReportData {
    ReportHeader header;
    Language lang = Language::English;
    QString scope;  // the filter in words
    Requirements required;
    SampleStats k30, ev2, ratio;
    VerdictCounts k30Counts, ev2Counts;
    std::vector<LotRow> rows;
    long long totalPoints = 0;  // the filter's count; more than rows when the table was cut
    SiteChartData chart;
};

// The overall conclusion: every point passes, some fail, or some cannot be
// judged (no requirement, no result).
QString LotConclusion(const LotReportData& data);

int LotReportPageCount(const LotReportData& data);

// One page (from 1) in report units on a painter mapped by MapReportUnits: on
// page 1 the title, the header, the scope, the requirements, the statistics,
// the conclusion and the chart; on every page the rows that fall on it.
bool DrawLotReport(QPainter& painter, const ReportPage& page, const LotReportData& data, int pageNumber);

bool PrintLotReport(QPrinter& printer, const LotReportData& data);
bool WriteLotReportPdf(QIODevice& out, const LotReportData& data);
// Into a file replaced only by a complete PDF; error holds the reason otherwise.
bool ExportLotReportPdf(const QString& path, const LotReportData& data, QString& error);

}  // namespace k30
