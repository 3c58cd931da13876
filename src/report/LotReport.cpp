#include "LotReport.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageRanges>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <array>

#include "AcceptanceFormat.h"
#include "AcceptanceTexts.h"
#include "ListReport.h"
#include "LotReportTexts.h"
#include "ReportCanvas.h"
#include "ReportOutput.h"
#include "SafeSave.h"
#include "Texts.h"

namespace k30 {

namespace {

using namespace acceptance_texts;
using namespace site_texts;

constexpr double kTitlePoints = 18;
constexpr double kTextPoints = 10;
constexpr double kTablePoints = 8;
constexpr int kFirstPageRows = 20;
constexpr int kPageRows = 46;
constexpr int kPdfResolution = 1200;
constexpr double kPdfMarginMm = 4.0;

struct Column {
    const Text* caption;
    double share;
};

constexpr std::array<Column, 11> kColumns{{
    {&kRowNumber, 0.06},
    {&kColKindShort, 0.06},
    {&kRowPoint, 0.12},
    {&kColDateShort, 0.10},
    {&kColChainageShort, 0.13},
    {&kColOffsetShort, 0.07},
    {&kColLayerShort, 0.09},
    {&kColLotShort, 0.09},
    {&kColValueShort, 0.09},
    {&kColRatioShort, 0.08},
    {&kColVerdict, 0.11},
}};

constexpr std::array<Column, 7> kStatsColumns{{
    {&kStatQuantity, 0.22},
    {&kStatCount, 0.13},
    {&kStatMean, 0.13},
    {&kStatStd, 0.13},
    {&kStatCv, 0.13},
    {&kStatMin, 0.13},
    {&kStatMax, 0.13},
}};

int Trunc(double v) { return static_cast<int>(v); }

template <std::size_t N>
std::vector<int> Edges(const std::array<Column, N>& columns, int left, int width)
{
    std::vector<int> edges{left};
    double share = 0.0;
    for (const Column& c : columns) {
        share += c.share;
        edges.push_back(left + Trunc(width * std::min(share, 1.0)));
    }
    return edges;
}

void Row(ReportCanvas& c, const std::vector<int>& edges, int top, int height, const QStringList& cells)
{
    const int lh = c.TextHeight();
    for (qsizetype i = 0; i < cells.size() && i + 1 < static_cast<qsizetype>(edges.size()); ++i) {
        const int left = edges[static_cast<std::size_t>(i)];
        const int width = edges[static_cast<std::size_t>(i) + 1] - left;
        QString text = cells[i];
        // A long layer or lot is cut rather than run into the next cell.
        while (text.size() > 1 && c.TextWidth(text) > width - 4)
            text.chop(1);
        c.Text(left + (width - c.TextWidth(text)) / 2, top + (height - lh) / 2, text);
    }
}

void Grid(ReportCanvas& c, const std::vector<int>& edges, int top, int rows, int height)
{
    for (int r = 0; r <= rows; ++r)
        c.Line(edges.front(), top + r * height, edges.back(), top + r * height);
    for (const int x : edges)
        c.Line(x, top, x, top + rows * height);
}

template <std::size_t N>
QStringList Captions(const std::array<Column, N>& columns, Language lang)
{
    QStringList list;
    for (const Column& col : columns)
        list << Tr(*col.caption, lang);
    return list;
}

// Rows on page n (from 1): first index and count.
std::pair<int, int> RowsOfPage(int total, int pageNumber)
{
    const int first = pageNumber == 1 ? 0 : kFirstPageRows + (pageNumber - 2) * kPageRows;
    const int room = pageNumber == 1 ? kFirstPageRows : kPageRows;
    return {first, std::clamp(total - first, 0, room)};
}

}  // namespace

QString LotConclusion(const LotReportData& d)
{
    const int failed = d.k30Counts.failed + d.ev2Counts.failed;
    const int none = d.k30Counts.none + d.ev2Counts.none;
    const int passed = d.k30Counts.passed + d.ev2Counts.passed;
    if (failed + none + passed == 0)
        return Tr(kLotEmpty, d.lang);
    if (failed > 0)
        return Tr(kLotFailed, d.lang).arg(failed);
    if (none > 0)
        return Tr(kLotOpen, d.lang).arg(none);
    return Tr(kLotPassed, d.lang).arg(passed);
}

int LotReportPageCount(const LotReportData& data)
{
    const int rows = static_cast<int>(data.rows.size());
    if (rows <= kFirstPageRows)
        return 1;
    return 1 + (rows - kFirstPageRows + kPageRows - 1) / kPageRows;
}

bool DrawLotReport(QPainter& painter, const ReportPage& page, const LotReportData& data, int pageNumber)
{
    const int pageCount = LotReportPageCount(data);
    if (pageNumber < 1 || pageNumber > pageCount)
        return false;
    const Language lang = data.lang;
    painter.save();
    ReportCanvas c(painter, lang);
    const int Lw = Trunc(2.5 * page.L);
    const int width = page.W - 2 * Lw;

    c.SetFont(kTitlePoints);
    const QString title = Tr(kLotTitle, lang);
    c.Text((page.W - c.TextWidth(title)) / 2, page.T + 10, title);
    int y = page.T + 10 + c.TextHeight() + 20;
    c.SetFont(kTextPoints);
    const int lh = c.TextHeight();
    const QString number = PageNumberText(pageCount, pageNumber, lang);
    c.Text(page.W - c.TextWidth(number) - Lw, page.T + lh, number);

    if (pageNumber == 1) {
        const ReportHeader& h = data.header;
        c.Text(Lw, y, ListHeaderLabelled(&ReportHeader::ProjectName, h.ProjectName, lang));
        c.Text(Lw + width / 2, y, ListHeaderLabelled(&ReportHeader::Client, h.Client, lang));
        y += lh + 4;
        c.Text(Lw, y, ListHeaderLabelled(&ReportHeader::ReportNumber, h.ReportNumber, lang));
        c.Text(Lw + width / 2, y, ListHeaderLabelled(&ReportHeader::ReportDate, h.ReportDate, lang));
        y += lh + 10;
        c.Text(Lw, y, Tr(kLotFilter, lang) + data.scope);
        y += lh + 4;
        c.Text(Lw, y, K30RequirementText(data.required, lang) + Tr(kSeparator, lang) +
                          Ev2RequirementText(data.required, lang));
        y += lh + 10;

        const int rh = lh + 6;
        const std::vector<int> edges = Edges(kStatsColumns, Lw, width);
        Grid(c, edges, y, 4, rh);
        Row(c, edges, y, rh, Captions(kStatsColumns, lang));
        Row(c, edges, y + rh, rh, QStringList{Tr(kQuantityK30, lang)} + StatsTexts(data.k30, kK30Decimals));
        Row(c, edges, y + 2 * rh, rh, QStringList{Tr(kQuantityEv2, lang)} + StatsTexts(data.ev2, kEv2Decimals));
        Row(c, edges, y + 3 * rh, rh, QStringList{Tr(kQuantityRatio, lang)} + StatsTexts(data.ratio, kRatioDecimals));
        y += 4 * rh + 8;
        c.Text(Lw, y, Tr(kSummaryK30Points, lang) + CountsLine(data.k30Counts, data.required.k30.has_value(), lang));
        y += lh + 4;
        c.Text(Lw, y, Tr(kSummaryEv2Points, lang) +
                          CountsLine(data.ev2Counts, data.required.ev2Min || data.required.ratioMax, lang));
        y += lh + 8;
        c.Text(Lw, y, Tr(kLotConclusion, lang) + LotConclusion(data));
        y += lh + 10;

        const int chartHeight = 280;
        c.Text(Lw, y, Tr(kLotChart, lang));
        y += lh + 2;
        DrawSiteChart(painter, QRectF(Lw, y, width, chartHeight), data.chart, 12.0, lang);
        y += chartHeight + 12;
    }

    c.SetFont(kTablePoints);
    const auto [first, count] = RowsOfPage(static_cast<int>(data.rows.size()), pageNumber);
    if (count > 0 || pageNumber == 1) {
        const int rh = c.TextHeight() + 6;
        const std::vector<int> edges = Edges(kColumns, Lw, width);
        Grid(c, edges, y, count + 1, rh);
        Row(c, edges, y, rh, Captions(kColumns, lang));
        for (int i = 0; i < count; ++i) {
            const LotRow& r = data.rows[static_cast<std::size_t>(first + i)];
            Row(c, edges, y + (i + 1) * rh, rh,
                {QString::number(first + i + 1), r.kind, r.name, r.date, r.chainage, r.offset, r.layer, r.lot,
                 r.value, r.ratio, VerdictQText(r.verdict, lang)});
        }
        y += (count + 1) * rh + 6;
        if (pageNumber == pageCount && data.totalPoints > static_cast<long long>(data.rows.size()))
            c.Text(Lw, y, Tr(kLotTruncated, lang).arg(data.rows.size()));
    }
    if (pageNumber == pageCount) {
        c.SetFont(kTextPoints);
        y += c.TextHeight() + 10;
        c.Text(Lw + 30, y, HeaderLabelled(&ReportHeader::Tester, data.header.Tester, lang));
        c.Text(Lw + width / 2, y, HeaderLabelled(&ReportHeader::Reviewer, data.header.Reviewer, lang));
    }
    painter.restore();
    return true;
}

namespace {

bool DrawPages(QPagedPaintDevice& device, const LotReportData& data, const std::vector<int>& pages)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    bool first = true;
    for (const int p : pages) {
        if (!first)
            device.newPage();
        first = false;
        const ReportPage page = ReportPageFor(device);
        painter.save();
        MapReportUnits(painter, device.logicalDpiX(), device.logicalDpiY());
        DrawLotReport(painter, page, data, p);
        painter.restore();
    }
    return painter.end();
}

}  // namespace

bool PrintLotReport(QPrinter& printer, const LotReportData& data)
{
    std::vector<int> pages;
    const QPageRanges ranges = printer.pageRanges();
    const bool ranged = printer.printRange() == QPrinter::PageRange && !ranges.isEmpty();
    for (int p = 1; p <= LotReportPageCount(data); ++p) {
        if (!ranged || ranges.contains(p))
            pages.push_back(p);
    }
    if (printer.pageOrder() == QPrinter::LastPageFirst)
        std::reverse(pages.begin(), pages.end());
    if (pages.empty())
        return true;
    return DrawPages(printer, data, pages);
}

bool WriteLotReportPdf(QIODevice& out, const LotReportData& data)
{
    QPdfWriter writer(&out);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                                     QPageLayout::Millimeter));
    writer.setTitle(Tr(kLotTitle, data.lang));
    writer.setCreator(Tr(texts::kAppTitle, data.lang));
    std::vector<int> pages;
    for (int p = 1; p <= LotReportPageCount(data); ++p)
        pages.push_back(p);
    return DrawPages(writer, data, pages);
}

bool ExportLotReportPdf(const QString& path, const LotReportData& data, QString& error)
{
    return SaveThroughTemporary(path, [&data](QIODevice& out) { return WriteLotReportPdf(out, data); }, error);
}

}  // namespace k30
