#include "Ev2Report.h"

#include <QPainter>

#include <array>

#include "AcceptanceFormat.h"
#include "AcceptanceTexts.h"
#include "ConclusionText.h"
#include "Ev2Chart.h"
#include "Ev2Evaluation.h"
#include "Ev2ReportTexts.h"
#include "K30Evaluation.h"
#include "PrintType.h"
#include "ReportCanvas.h"
#include "ReportTexts.h"

namespace k30 {

namespace {

namespace rt = report_texts;
namespace et = ev2_report_texts;
namespace at = acceptance_texts;

constexpr double kTitlePoints = 20;
constexpr double kTextPoints = 12;
constexpr double kSmallPoints = 10;

QString Join(const Text& label, const std::string& value, Language lang)
{
    return Tr(label, lang) + QString::fromStdString(value);
}

struct Group {
    const Text* title;
    int first;
    int last;  // inclusive
};

void DrawReport(ReportCanvas& c, QPainter& painter, const ReportPage& page, const Ev2Point& point,
                const ReportHeader& header, const Requirements& required, int pageCount, int pageNumber)
{
    const Language lang = c.language();
    const double left = page.L + 30;
    const double right = page.L + page.W - 30;
    const double width = right - left;

    c.SetFont(kTitlePoints);
    const QString title = Tr(et::kReportTitle, lang);
    c.Text(page.L + (page.W - c.TextWidth(title)) / 2.0, page.T + 25, title);

    // Header block: the K30 reports' fields, the point's name as the test
    // number and its test time.
    c.SetFont(kTextPoints);
    const double lh = c.TextHeight();
    const double top = page.T + 80;
    double y = top + 0.6 * lh;
    const std::string time =
        point.startTime.empty() ? std::string() : point.startTime + " — " + point.endTime.substr(point.endTime.rfind('-') + 1);
    const std::array<QString, 7> leftColumn{
        HeaderLabelled(&ReportHeader::Client, header.Client, lang),         HeaderLabelled(&ReportHeader::Elevation, header.Elevation, lang),
        HeaderLabelled(&ReportHeader::ProjectName, header.ProjectName, lang), HeaderLabelled(&ReportHeader::PointLocation, header.PointLocation, lang),
        HeaderLabelled(&ReportHeader::SubgradeMileage, header.SubgradeMileage, lang), HeaderLabelled(&ReportHeader::FillLayer, header.FillLayer, lang),
        Join(et::kTestTime, time, lang)};
    const std::array<QString, 7> rightColumn{
        HeaderLabelled(&ReportHeader::ReportNumber, header.ReportNumber, lang), HeaderLabelled(&ReportHeader::FillerName, header.FillerName, lang),
        HeaderLabelled(&ReportHeader::TestNumber, point.name, lang),           HeaderLabelled(&ReportHeader::RequiredCoefficient, header.RequiredCoefficient, lang),
        HeaderLabelled(&ReportHeader::ReportDate, header.ReportDate, lang),     HeaderLabelled(&ReportHeader::Environment, header.Environment, lang),
        Tr(at::kEv2Limits, lang) + Ev2RequirementText(required, lang)};
    const double columnWidth = width / 2 - 20;
    bool allFit = true;
    for (std::size_t r = 0; r < leftColumn.size(); ++r)
        allFit = allFit && c.Fits(leftColumn[r], columnWidth) && c.Fits(rightColumn[r], columnWidth);
    // A text too long for its row gets a second line: every row then has room for two.
    const double headerRow = allFit ? lh : 2.2 * lh;
    for (std::size_t r = 0; r < leftColumn.size(); ++r) {
        c.FitText(left + 10, y, columnWidth, headerRow, leftColumn[r]);
        c.FitText(left + width / 2 + 10, y, columnWidth, headerRow, rightColumn[r]);
        y += headerRow + 0.3 * lh;
    }
    y += 0.3 * lh;
    c.Line(left, y, right, y);

    // Readings: three groups side by side; pair 10 ends the unloading and
    // starts the reloading, so it stands in both.
    const std::array<Group, 3> groups{{{&et::kFirstLoading, kEv2FirstLoadingBegin, kEv2FirstLoadingEnd},
                                       {&et::kUnloading, kEv2UnloadingBegin, kEv2SecondLoadingBegin},
                                       {&et::kSecondLoading, kEv2SecondLoadingBegin, kEv2SecondLoadingEnd}}};
    y += 0.4 * lh;
    c.Text(left + 10, y, Tr(et::kReadings, lang));
    y += 1.4 * lh;
    c.SetFont(kSmallPoints);
    const double sh = c.TextHeight();
    const double rowHeight = 1.35 * sh;
    const double tableTop = y;
    const double gap = 12;
    const double blockWidth = (width - 20 - 2 * gap) / 3;
    const int maxRows = kEv2FirstLoadingEnd - kEv2FirstLoadingBegin + 1;
    const double tableBottom = tableTop + (2 + maxRows) * rowHeight;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const double bx = left + 10 + static_cast<double>(g) * (blockWidth + gap);
        const double colNo = blockWidth * 0.17;
        const double colStress = blockWidth * 0.38;
        const int rows = groups[g].last - groups[g].first + 1;
        const double bottom = tableTop + (2 + rows) * rowHeight;
        const QString caption = Tr(*groups[g].title, lang) +
                                QStringLiteral(" (%1–%2)").arg(groups[g].first).arg(groups[g].last);
        c.Text(bx + (blockWidth - c.TextWidth(caption)) / 2, tableTop + 0.15 * rowHeight, caption);
        c.Line(bx, tableTop, bx + blockWidth, tableTop);
        c.Line(bx, tableTop + rowHeight, bx + blockWidth, tableTop + rowHeight);
        c.Line(bx, tableTop + 2 * rowHeight, bx + blockWidth, tableTop + 2 * rowHeight);
        c.Line(bx, bottom, bx + blockWidth, bottom);
        c.Line(bx, tableTop, bx, bottom);
        c.Line(bx + blockWidth, tableTop, bx + blockWidth, bottom);
        c.Line(bx + colNo, tableTop + rowHeight, bx + colNo, bottom);
        c.Line(bx + colNo + colStress, tableTop + rowHeight, bx + colNo + colStress, bottom);
        const double hy = tableTop + rowHeight + 0.15 * rowHeight;
        c.Text(bx + 4, hy, Tr(rt::kRowIndex, lang));
        c.Text(bx + colNo + 4, hy, Tr(texts::kStress, lang) + Tr(rt::kRowMpa, lang));
        c.Text(bx + colNo + colStress + 4, hy, Tr(texts::kSettlement, lang) + Tr(rt::kRowMm, lang));
        for (int j = groups[g].first; j <= groups[g].last; ++j) {
            const ReadingPair& r = point.reading[static_cast<std::size_t>(j)];
            const double ry = tableTop + (2 + j - groups[g].first) * rowHeight + 0.15 * rowHeight;
            const QString stress = QString::fromStdString(StressText(r.stress));
            const QString settlement = QString::fromStdString(SettlementText(r.settlement));
            c.Text(bx + 4, ry, QString::number(j));
            c.Text(bx + colNo + colStress - 6 - c.TextWidth(stress), ry, stress);
            c.Text(bx + blockWidth - 6 - c.TextWidth(settlement), ry, settlement);
        }
    }
    y = tableBottom + 0.6 * lh;
    c.Line(left, y, right, y);

    // Chart with fits and results, then the method.
    c.SetFont(kTextPoints);
    y += 0.4 * lh;
    const QString curveCaption = Tr(et::kCurveCaption, lang);
    c.Text(left + (width - c.TextWidth(curveCaption)) / 2, y, curveCaption);
    y += 1.6 * lh;
    const double footerTop = page.T + page.H - 4.5 * lh;
    // The conclusion box above the footer: the verdict against the Ev2 limits,
    // empty while none is set.
    const double conclusionTop = footerTop - 3.4 * lh;
    const double methodY = conclusionTop - 2.2 * lh;
    const QRectF chartArea(left + 15, y, width - 30, methodY - 0.8 * lh - y);
    DrawEv2Chart(painter, chartArea, point, ComputeEv2(point.reading), lang, kSmallPoints);
    c.SetPen(ReportCanvas::DevicePen());
    c.SetFont(kSmallPoints);
    c.Text(left + 15, methodY, Tr(et::kMethod, lang));

    // Conclusion, frame and footer.
    c.SetFont(kTextPoints);
    c.Line(left, conclusionTop, right, conclusionTop);
    const QString label = Tr(rt::kConclusion, lang);
    c.Text(left + 10, conclusionTop + 0.5 * lh, label);
    const double textLeft = left + 20 + c.TextWidth(label);
    c.FitText(textLeft, conclusionTop + 0.5 * lh, right - 10 - textLeft, 2.4 * lh,
              Ev2ConclusionLines(AssessEv2Point(point, required), required, lang).join(QLatin1Char(' ')));
    c.Line(left, footerTop, right, footerTop);
    c.Line(left, top, right, top);
    c.Line(left, top, left, footerTop + 2.5 * lh);
    c.Line(right, top, right, footerTop + 2.5 * lh);
    c.Line(left, footerTop + 2.5 * lh, right, footerTop + 2.5 * lh);
    c.Text(left + 10, footerTop + 0.7 * lh, HeaderLabelled(&ReportHeader::Tester, header.Tester, lang));
    c.Text(left + width / 2 + 10, footerTop + 0.7 * lh, HeaderLabelled(&ReportHeader::Reviewer, header.Reviewer, lang));

    if (pageCount > 0) {
        const QString number = PageNumberText(pageCount, pageNumber, lang);
        c.Text(page.L + page.W - c.TextWidth(number) - 30, page.T + 4, number);
    }
}

}  // namespace

std::optional<std::size_t> FindEv2PointByName(const TestDataStore& store, const std::string& name)
{
    for (std::size_t k = 0; k < store.ev2List.size(); ++k) {
        if (store.ev2List[k].name == name)
            return k;
    }
    return std::nullopt;
}

bool DrawEv2PointReport(QPainter& painter, const ReportPage& page, const TestDataStore& store,
                        const ReportHeader& header, Language lang, int printType, int pageCount, int pageNumber,
                        const Requirements& required)
{
    std::optional<std::size_t> index;
    if (printType == kPrintEv2CurrentPoint) {
        if (!store.strCurEv2Name.empty())
            index = FindEv2PointByName(store, store.strCurEv2Name);
    } else if (printType == kPrintEv2AllPoints && pageNumber >= 1) {
        index = static_cast<std::size_t>(pageNumber - 1);
    }
    if (!index || *index >= store.ev2List.size())
        return false;
    painter.save();
    ReportCanvas canvas(painter, lang);
    DrawReport(canvas, painter, page, store.ev2List[*index], header, required,
               printType == kPrintEv2AllPoints ? pageCount : 0, pageNumber);
    painter.restore();
    return true;
}

}  // namespace k30
