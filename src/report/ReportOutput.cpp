#include "ReportOutput.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageRanges>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>

#include "Ev2Report.h"
#include "Ev2ReportTexts.h"
#include "ListReport.h"
#include "PointReport.h"
#include "PrintType.h"
#include "ReportCanvas.h"
#include "ReportPage.h"
#include "ReportTexts.h"
#include "SafeSave.h"
#include "SummaryReport.h"
#include "Texts.h"

namespace k30 {

namespace {

constexpr int kPdfResolution = 1200;
constexpr double kPdfMarginMm = 4.0;

}  // namespace

ReportRefusal CheckReport(const ReportJob& job)
{
    if (job.printType == kPrintEv2CurrentPoint || job.printType == kPrintEv2AllPoints) {
        if (job.store.ev2List.empty())
            return ReportRefusal::NoEv2Points;
        if (job.printType == kPrintEv2CurrentPoint && !FindEv2PointByName(job.store, job.store.strCurEv2Name))
            return ReportRefusal::NoCurrentEv2Point;
        return ReportRefusal::None;
    }
    if (job.printType == kPrintCurrentPoint && job.store.strCurK30Name.empty())
        return ReportRefusal::NoCurrentPoint;
    // The summary also lists Ev2 points; the other reports need K30 points.
    if ((job.printType != kPrintSummary && job.store.ValidCount() == 0) || PageCount(job) == 0)
        return ReportRefusal::NoPoints;
    return ReportRefusal::None;
}

int PageCount(const ReportJob& job) { return ReportPageCount(job.store, job.printType); }

bool DrawReportPages(QPagedPaintDevice& device, QPainter& painter, const ReportJob& job, const std::vector<int>& pages,
                     const ProgressFn& progress)
{
    const int count = PageCount(job);
    // Judged once for all the summary's pages.
    const StoreAssessment assessment =
        job.printType == kPrintSummary ? AssessStore(job.store, job.required) : StoreAssessment{};
    bool first = true;
    std::size_t drawn = 0;
    for (const int pageNumber : pages) {
        if (progress && !progress(drawn++, pages.size()))
            return false;
        if (!first)
            device.newPage();
        first = false;
        // Taken again for every page: the list report widens its own left offset.
        const ReportPage page = ReportPageFor(device);
        painter.save();
        MapReportUnits(painter, device.logicalDpiX(), device.logicalDpiY());
        if (job.printType == kPrintPointList)
            DrawK30ListReport(painter, page, job.store, job.header, job.lang, count, pageNumber, job.required);
        else if (job.printType == kPrintSummary)
            DrawSummaryReport(painter, page, job.store, job.header, assessment, job.lang, count, pageNumber);
        else if (job.printType == kPrintEv2CurrentPoint || job.printType == kPrintEv2AllPoints)
            DrawEv2PointReport(painter, page, job.store, job.header, job.lang, job.printType, count, pageNumber,
                               job.required);
        else
            DrawK30PointReport(painter, page, job.store, job.header, job.lang, job.printType, count, pageNumber,
                               job.required);
        painter.restore();
    }
    return !progress || progress(pages.size(), pages.size());
}

void UseReportPaper(QPagedPaintDevice& device)
{
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(QPageLayout::Portrait);
}

bool PrintReport(QPrinter& printer, const ReportJob& job, const ProgressFn& progress)
{
    const int count = PageCount(job);
    std::vector<int> chosen;
    const QPageRanges ranges = printer.pageRanges();
    const bool ranged = printer.printRange() == QPrinter::PageRange && !ranges.isEmpty();
    for (int p = 1; p <= count; ++p) {
        if (!ranged || ranges.contains(p))
            chosen.push_back(p);
    }
    if (printer.pageOrder() == QPrinter::LastPageFirst)
        std::reverse(chosen.begin(), chosen.end());

    // Copies the printer cannot make itself are drawn here.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    std::vector<int> pages;
    if (printer.collateCopies()) {
        for (int c = 0; c < copies; ++c)
            pages.insert(pages.end(), chosen.begin(), chosen.end());
    } else {
        for (const int p : chosen)
            pages.insert(pages.end(), static_cast<std::size_t>(copies), p);
    }
    if (pages.empty())
        return true;

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    if (!DrawReportPages(printer, painter, job, pages, progress)) {
        printer.abort();
        painter.end();
        return false;
    }
    return painter.end();
}

bool WriteReportPdf(QIODevice& out, const ReportJob& job, const ProgressFn& progress)
{
    QPdfWriter writer(&out);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                                     QPageLayout::Millimeter));
    const bool ev2 = job.printType == kPrintEv2CurrentPoint || job.printType == kPrintEv2AllPoints;
    writer.setTitle(Tr(ev2 ? ev2_report_texts::kReportTitle : report_texts::kPointTitle, job.lang));
    writer.setCreator(Tr(texts::kAppTitle, job.lang));
    std::vector<int> pages(static_cast<std::size_t>(std::max(0, PageCount(job))));
    for (std::size_t i = 0; i < pages.size(); ++i)
        pages[i] = static_cast<int>(i) + 1;
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const bool drawn = DrawReportPages(writer, painter, job, pages, progress);
    return painter.end() && drawn;
}

bool ExportReportPdf(const QString& path, const ReportJob& job, QString& error, const ProgressFn& progress)
{
    bool stopped = false;
    const ProgressFn watch = [&](std::size_t done, std::size_t total) {
        stopped = progress && !progress(done, total);
        return !stopped;
    };
    const bool ok = SaveThroughTemporary(
        path, [&](QIODevice& out) { return WriteReportPdf(out, job, progress ? watch : ProgressFn{}); }, error);
    if (stopped)
        error = kCancelledError;
    return ok;
}

}  // namespace k30
