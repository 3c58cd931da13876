#pragma once

#include <QString>

#include <vector>

#include "Acceptance.h"
#include "Language.h"
#include "Progress.h"
#include "ReportHeader.h"
#include "TestDataStore.h"

class QIODevice;
class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace k30 {

// One report to print or export: the points, the header as the header page
// shows it, the language of the texts, the print type (PrintType.h) and the
// requirements the conclusions and the summary judge by.
struct ReportJob {
    const TestDataStore& store;
    ReportHeader header;
    Language lang = Language::English;
    int printType = 3;
    Requirements required{};
};

// Why a report cannot be produced; each has its message for the operator.
enum class ReportRefusal {
    None,
    NoCurrentPoint,  // "current data" with no point chosen on the test data page
    NoPoints,        // nothing to print at all
    NoCurrentEv2Point,  // "current Ev2 point" with no Ev2 point shown on the Ev2 page
    NoEv2Points,        // an Ev2 report with no Ev2 point in the store
};
ReportRefusal CheckReport(const ReportJob& job);

// Number of pages of the job's report.
int PageCount(const ReportJob& job);

// Draws the given pages (from 1) one after the other, starting a new sheet
// before every page but the first. The page geometry is taken again for every
// page. The painter must be active on the device. progress is told the pages
// drawn of all; false from it stops before the next page, and the call returns
// false.
bool DrawReportPages(QPagedPaintDevice& device, QPainter& painter, const ReportJob& job, const std::vector<int>& pages,
                     const ProgressFn& progress = {});

// A4 portrait, as every report is laid out for.
void UseReportPaper(QPagedPaintDevice& device);

// Prints the pages the printer's settings choose (all, or its page ranges), in
// its page order and with its copies. False when the printer would not start.
// progress as for DrawReportPages; a stop aborts the print job.
bool PrintReport(QPrinter& printer, const ReportJob& job, const ProgressFn& progress = {});

// Writes every page of the report as an A4 portrait PDF with margins of about
// 4 mm, the unprintable border of a typical printer, so the drawings keep the
// offsets they are laid out for.
// progress as for DrawReportPages: a stop returns false.
bool WriteReportPdf(QIODevice& out, const ReportJob& job, const ProgressFn& progress = {});

// WriteReportPdf into a file that is replaced only when the whole PDF has been
// written. On failure, error holds the system's reason; after a stop through
// progress it is kCancelledError, and the file stays as it was with no
// temporary file beside it.
bool ExportReportPdf(const QString& path, const ReportJob& job, QString& error, const ProgressFn& progress = {});

}  // namespace k30
