#include "SummaryReport.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <span>

#include "AcceptanceFormat.h"
#include "AcceptanceTexts.h"
#include "ListReport.h"
#include "ReportCanvas.h"
#include "ReportTexts.h"

namespace k30 {

namespace {

using namespace acceptance_texts;
using namespace report_texts;

constexpr double kTitlePoints = 20;
constexpr double kTextPoints = 12;
constexpr double kStatsPoints = 10;
constexpr double kTablePoints = 9;

// Row slots of the point tables. A caption takes two slots (two lines), the
// gap between the K30 and the Ev2 table one.
constexpr int kFirstPageSlots = 30;
constexpr int kPageSlots = 40;
constexpr int kCaptionSlots = 2;
constexpr int kCellPadding = 3;

struct Column {
    const Text* caption;
    double share;  // of the table's width
};

constexpr std::array<Column, 8> kK30Columns{{
    {&kRowNumber, 0.07},
    {&kRowPoint, 0.15},
    {&kRowStress125, 0.13},
    {&kRowK30, 0.12},
    {&kRowRecomputedStress, 0.13},
    {&kRowRecomputedK30, 0.13},
    {&kColCheck, 0.10},
    {&kColVerdict, 0.17},
}};
constexpr std::array<Column, 6> kEv2Columns{{
    {&kRowNumber, 0.07},
    {&kRowPoint, 0.15},
    {&kRowEv1, 0.19},
    {&kRowEv2, 0.19},
    {&kRowRatio, 0.20},
    {&kColVerdict, 0.20},
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

QString Str(const std::string& utf8) { return QString::fromStdString(utf8); }

// Left edges of the columns and the right edge of the last.
std::vector<int> ColumnEdges(std::span<const Column> columns, int left, int width)
{
    std::vector<int> edges{left};
    double share = 0.0;
    for (const Column& c : columns) {
        share += c.share;
        edges.push_back(left + Trunc(width * std::min(share, 1.0)));
    }
    return edges;
}

// Texts of a row (or a caption with lines split at '\n'), each centred in its cell.
void DrawRow(ReportCanvas& c, const std::vector<int>& edges, int top, int height, const QStringList& cells)
{
    for (qsizetype i = 0; i < cells.size() && i + 1 < static_cast<qsizetype>(edges.size()); ++i) {
        const QStringList lines = cells[i].split(QLatin1Char('\n'));
        // Two-line captions a little apart, so that their glyphs never touch.
        const int lineHeight = lines.size() > 1 ? Trunc(1.15 * c.TextHeight()) : c.TextHeight();
        int y = top + (height - lineHeight * static_cast<int>(lines.size())) / 2;
        const int left = edges[static_cast<std::size_t>(i)];
        const int width = edges[static_cast<std::size_t>(i) + 1] - left;
        if (lines.size() == 1 && !c.Fits(lines.front(), width - 2 * kCellPadding)) {
            c.FitText(left + kCellPadding, top + 1, width - 2 * kCellPadding, height - 2, lines.front());
            continue;
        }
        for (const QString& line : lines) {
            c.Text(left + (width - c.TextWidth(line)) / 2, y, line);
            y += lineHeight;
        }
    }
}

// Rules of a table with the given row boundaries.
void DrawGrid(ReportCanvas& c, const std::vector<int>& edges, const std::vector<int>& rowYs)
{
    for (const int y : rowYs)
        c.Line(edges.front(), y, edges.back(), y);
    for (const int x : edges)
        c.Line(x, rowYs.front(), x, rowYs.back());
}

QStringList Captions(std::span<const Column> columns, Language lang)
{
    QStringList captions;
    for (const Column& col : columns)
        captions << Tr(*col.caption, lang);
    return captions;
}


// The report header as the list report has it, three columns in a frame.
// Returns the y below the block.
int DrawHeaderBlock(ReportCanvas& c, const ReportPage& page, int Lw, int y, const ReportHeader& header)
{
    const Language lang = c.language();
    const int right = page.W - Lw - 3;
    // The third column holds the longest label, the required coefficient.
    const std::vector<int> columnX{Lw + 10, Lw + 10 + Trunc(0.31 * (right - Lw)), Lw + 10 + Trunc(0.60 * (right - Lw))};
    const std::vector<QStringList> columns{
        {ListHeaderLabelled(&ReportHeader::Client, header.Client, lang), ListHeaderLabelled(&ReportHeader::Elevation, header.Elevation, lang),
         ListHeaderLabelled(&ReportHeader::ProjectName, header.ProjectName, lang), ListHeaderLabelled(&ReportHeader::PointLocation, header.PointLocation, lang)},
        {ListHeaderLabelled(&ReportHeader::SubgradeMileage, header.SubgradeMileage, lang), ListHeaderLabelled(&ReportHeader::FillLayer, header.FillLayer, lang),
         ListHeaderLabelled(&ReportHeader::ReportNumber, header.ReportNumber, lang), ListHeaderLabelled(&ReportHeader::FillerName, header.FillerName, lang)},
        {ListHeaderLabelled(&ReportHeader::RequiredCoefficient, header.RequiredCoefficient, lang),
         ListHeaderLabelled(&ReportHeader::ReportDate, header.ReportDate, lang), ListHeaderLabelled(&ReportHeader::Environment, header.Environment, lang)},
    };
    return DrawHeaderColumns(c, Lw, right, y, columnX, columns);
}

// The overall conclusion of each kind of point present, one sentence each.
QStringList ConclusionSentences(const StoreAssessment& a, Language lang)
{
    QStringList sentences;
    if (!a.k30.empty())
        sentences << Tr(kOverallK30, lang) + OverallConclusion(a.k30Counts, lang);
    if (!a.ev2.empty())
        sentences << Tr(kOverallEv2, lang) + OverallConclusion(a.ev2Counts, lang);
    return sentences;
}

QStringList StatsRow(const Text& quantity, const SampleStats& s, StatDecimals decimals, Language lang)
{
    return QStringList{Tr(quantity, lang)} + StatsTexts(s, decimals);
}

// Requirements, the statistics table and the verdict counts. Returns the y below.
int DrawAcceptanceBlock(ReportCanvas& c, const ReportPage& page, int Lw, int y, const StoreAssessment& a)
{
    const Language lang = c.language();
    const Requirements& req = a.required;
    c.SetFont(kStatsPoints);
    const int lh = c.TextHeight();
    c.Text(Lw + 10, y, K30RequirementText(req, lang) + Tr(kSeparator, lang) + Ev2RequirementText(req, lang));
    y += lh + 12;

    const int rowHeight = lh + 8;
    const std::vector<int> edges = ColumnEdges(kStatsColumns, Lw, page.W - 2 * Lw);
    std::vector<int> rows;
    for (int r = 0; r <= 4; ++r)
        rows.push_back(y + r * rowHeight);
    DrawGrid(c, edges, rows);
    DrawRow(c, edges, rows[0], rowHeight, Captions(kStatsColumns, lang));
    DrawRow(c, edges, rows[1], rowHeight, StatsRow(kQuantityK30, a.k30Stats, kK30Decimals, lang));
    DrawRow(c, edges, rows[2], rowHeight, StatsRow(kQuantityEv2, a.ev2Stats, kEv2Decimals, lang));
    DrawRow(c, edges, rows[3], rowHeight, StatsRow(kQuantityRatio, a.ratioStats, kRatioDecimals, lang));
    y = rows.back() + 10;

    QString k30Line = Tr(kSummaryK30Points, lang) + CountsLine(a.k30Counts, req.k30.has_value(), lang);
    if (const int differing = DifferingCount(a); differing > 0)
        k30Line += Tr(kSeparator, lang) + Tr(kDiffering, lang).arg(differing);
    c.Text(Lw + 10, y, k30Line);
    y += lh + 6;
    c.Text(Lw + 10, y,
           Tr(kSummaryEv2Points, lang) +
               CountsLine(a.ev2Counts, req.ev2Min.has_value() || req.ratioMax.has_value(), lang));
    return y + lh + 14;
}

QStringList K30Row(const TestDataStore& store, const StoreAssessment& a, int k, Language lang)
{
    const K30& p = store.k30List[static_cast<std::size_t>(k)];
    const K30Assessment& r = a.k30[static_cast<std::size_t>(k)];
    return {QString::number(k + 1),
            Str(p.name),
            Str(p.stress125),
            r.lowerBound ? K30ShownText(p, r) : TrimmedText(p.k30Value),
            r.recomputed ? Str(r.recomputed->stress125Text) : QString(),
            r.recomputed ? TrimmedText(r.recomputed->k30Text) : QString(),
            r.agrees == false ? Tr(kDiffers, lang) : QString(),
            K30VerdictText(r, lang)};
}

QStringList Ev2Row(const TestDataStore& store, const StoreAssessment& a, int k, Language lang)
{
    const Ev2Point& p = store.ev2List[static_cast<std::size_t>(k)];
    const Ev2Assessment& r = a.ev2[static_cast<std::size_t>(k)];
    return {QString::number(k + 1),   Str(p.name),           Str(r.result.ev1Text),
            Str(r.result.ev2Text),    Str(r.result.ratioText), VerdictQText(r.verdict, lang)};
}

// One slice: its caption and rows. Returns the y below it.
int DrawSlice(ReportCanvas& c, const TestDataStore& store, const StoreAssessment& a, const SummarySlice& slice,
              int Lw, int width, int y, int R)
{
    const Language lang = c.language();
    const bool k30 = slice.table == SummarySlice::Table::K30;
    const std::span<const Column> columns = k30 ? std::span<const Column>(kK30Columns)
                                                : std::span<const Column>(kEv2Columns);
    const std::vector<int> edges = ColumnEdges(columns, Lw, width);
    std::vector<int> rows{y, y + kCaptionSlots * R};
    for (int i = 1; i <= slice.count; ++i)
        rows.push_back(y + (kCaptionSlots + i) * R);
    DrawGrid(c, edges, rows);
    DrawRow(c, edges, rows[0], kCaptionSlots * R, Captions(columns, lang));
    for (int i = 0; i < slice.count; ++i) {
        const int k = slice.first + i;
        DrawRow(c, edges, rows[static_cast<std::size_t>(i) + 1], R,
                k30 ? K30Row(store, a, k, lang) : Ev2Row(store, a, k, lang));
    }
    return rows.back();
}

}  // namespace

std::vector<std::vector<SummarySlice>> SummaryPages(int k30Points, int ev2Points)
{
    std::vector<std::vector<SummarySlice>> pages;
    int room = 0;
    auto table = [&](SummarySlice::Table which, int n) {
        if (n > 0 && !pages.empty() && !pages.back().empty())
            room -= 1;  // the gap between the tables
        for (int done = 0; done < n;) {
            // A caption with no row under it goes to the next page.
            if (pages.empty() || room < kCaptionSlots + 1) {
                pages.emplace_back();
                room = pages.size() == 1 ? kFirstPageSlots : kPageSlots;
            }
            room -= kCaptionSlots;
            const int take = std::min(room, n - done);
            pages.back().push_back(SummarySlice{which, done, take});
            done += take;
            room -= take;
        }
    };
    table(SummarySlice::Table::K30, std::max(0, k30Points));
    table(SummarySlice::Table::Ev2, std::max(0, ev2Points));
    return pages;
}

int SummaryPageCount(const TestDataStore& store)
{
    return static_cast<int>(
        SummaryPages(static_cast<int>(store.ValidCount()), static_cast<int>(store.ev2List.size())).size());
}

bool DrawSummaryReport(QPainter& painter, const ReportPage& page, const TestDataStore& store,
                       const ReportHeader& header, const StoreAssessment& assessment, Language lang, int pageCount,
                       int pageNumber)
{
    const int k30Points = static_cast<int>(std::min(store.ValidCount(), assessment.k30.size()));
    const int ev2Points = static_cast<int>(std::min(store.ev2List.size(), assessment.ev2.size()));
    const auto pages = SummaryPages(k30Points, ev2Points);
    if (pageNumber < 1 || pageNumber > static_cast<int>(pages.size()))
        return false;
    painter.save();
    ReportCanvas c(painter, lang);

    // As far in from the left as the list report.
    const int Lw = Trunc(2.5 * page.L);
    const int width = page.W - 2 * Lw;

    c.SetFont(kTitlePoints);
    const QString title = Tr(kSummaryTitle, lang);
    c.Text((page.W - c.TextWidth(title)) / 2, page.T + 10, title);
    int y = page.T + 10 + c.TextHeight() + 30;
    c.SetFont(kTextPoints);
    const bool lastPage = pageNumber == static_cast<int>(pages.size());
    const QStringList conclusion = lastPage ? ConclusionSentences(assessment, lang) : QStringList{};
    const int conclusionHeight = static_cast<int>(conclusion.size()) * 2 * c.TextHeight();
    const int footerHeight = 2 * c.TextHeight() + 10 + conclusionHeight;
    if (pageNumber == 1) {
        y = DrawHeaderBlock(c, page, Lw, y, header) + 12;
        y = DrawAcceptanceBlock(c, page, Lw, y, assessment);
    }

    // Rows as high as the page's slots allow, so the table ends on the paper.
    const int slotCount = pageNumber == 1 ? kFirstPageSlots : kPageSlots;
    const int R = std::max(1, (page.H - Lw - footerHeight - y) / slotCount);
    c.SetFont(kTablePoints);
    bool firstSlice = true;
    for (const SummarySlice& slice : pages[static_cast<std::size_t>(pageNumber) - 1]) {
        if (!firstSlice)
            y += R;
        firstSlice = false;
        y = DrawSlice(c, store, assessment, slice, Lw, width, y, R);
    }

    c.SetFont(kTextPoints);
    int footerY = y + 10;
    if (!conclusion.isEmpty()) {
        const QString label = Tr(report_texts::kConclusion, lang);
        c.Text(Lw + 30, footerY, label);
        const int textLeft = Lw + 40 + c.TextWidth(label);
        for (const QString& sentence : conclusion) {
            c.FitText(textLeft, footerY, Lw + width - 10 - textLeft, 2 * c.TextHeight(), sentence);
            footerY += 2 * c.TextHeight();
        }
    }
    c.Text(Lw + 30, footerY, HeaderLabelled(&ReportHeader::Tester, header.Tester, lang));
    c.Text(Lw + width / 2, footerY, HeaderLabelled(&ReportHeader::Reviewer, header.Reviewer, lang));
    const QString number = PageNumberText(pageCount, pageNumber, lang);
    c.Text(page.W - c.TextWidth(number) - Lw, page.T + c.TextHeight(), number);
    painter.restore();
    return true;
}

}  // namespace k30
