#include "PointReport.h"

#include <QPainter>

#include <array>

#include "ConclusionText.h"
#include "CurveMapping.h"
#include "Format.h"
#include "K30Evaluation.h"
#include "PrintType.h"
#include "ReportCanvas.h"
#include "ReportTexts.h"

namespace k30 {

namespace {

using namespace report_texts;

// What tells the printed page and the bitmap apart; everything else is shared.
struct PointVariant {
    bool bitmap = false;
    double s = 1.0;  // scale of the layout
    double titlePoints = 0.0;
    double textPoints = 0.0;
    double smallPoints = 0.0;
};

constexpr PointVariant kPrinted{false, 1.9, 20, 12, 10};
constexpr PointVariant kBitmap{true, 1.2, 15, 8, 6};

QString Join(const Text& label, const std::string& value, Language lang)
{
    return ReportTr(label, lang) + QString::fromStdString(value);
}

// The first `chars` characters of a "%.nf" text, as the axis labels are drawn.
QString AxisLabel(double value, int decimals, int chars)
{
    return QString::fromStdString(FormatFixed(value, decimals)).left(chars);
}

void DrawPoint(ReportCanvas& c, const ReportPage& page, const K30& point, const ReportHeader& header,
               const PointVariant& v, int pageCount, int pageNumber, const QStringList& conclusion = {})
{
    const Language lang = c.language();
    const bool en = lang == Language::English;
    const double s = v.s;
    double L = page.L;
    double T = page.T;

    // Title.
    c.SetFont(v.titlePoints);
    if (v.bitmap) {
        L += 15;  // the rectangle shrinks by 15 left and right, 20 top and bottom
        T += 20;
        const double inner = page.W - 30;
        const QString title = ReportTr(kBitmapTitle, lang);
        const int centred = (static_cast<int>(inner) - c.TextWidth(title)) / 2;
        c.Text(L + centred - (en ? 20 : 0), T + 20 * s, title);
    } else {
        c.Text(L + 100 * s + 50 - (en ? 100 : 0), T + 20 * s, ReportTr(kPointTitle, lang));
    }
    c.SetFont(v.textPoints);

    // Frame.
    const double X0 = L + (v.bitmap ? 30 : 15) * s;
    const double Y0 = T + 50 * s;
    const double frameHeight = (v.bitmap ? 420 : 460) * s;
    const double frameLeft = v.bitmap && en ? X0 - 20 : X0;
    const double frameRight = X0 + 350 * s;
    c.Line(frameLeft, Y0, frameRight, Y0);
    c.Line(frameLeft, Y0 + 80 * s, frameRight, Y0 + 80 * s);
    c.Line(frameLeft, Y0, frameLeft, Y0 + frameHeight);
    c.Line(frameRight, Y0, frameRight, Y0 + frameHeight);
    c.Line(frameLeft, Y0 + frameHeight, frameRight, Y0 + frameHeight);

    // Header fields, two columns of six rows.
    const double lh = c.TextHeight();
    const double Y1 = Y0 + 1.5 * lh;
    {
        constexpr std::array<double, 6> kRows{0, 1.3, 2.6, 3.9, 5.2, 6.5};
        constexpr std::array<double, 6> kBitmapRowsEn{0, 1.1, 2.2, 3.3, 4.4, 5.5};
        const auto& rows = v.bitmap && en ? kBitmapRowsEn : kRows;
        double lift = en ? 20 : 0;
        if (v.bitmap)
            lift = en ? 20 : 10;
        const double leftX = X0 + 7 * s - (v.bitmap && en ? 20 : 0);
        const double rightX = X0 + 167 * s;
        const std::string& testNumber = v.bitmap ? header.TestNumber : point.name;
        const std::array<QString, 6> left{Join(kClient, header.Client, lang),
                                          Join(kElevation, header.Elevation, lang),
                                          Join(kProjectName, header.ProjectName, lang),
                                          Join(kPointLocation, header.PointLocation, lang),
                                          Join(kSubgradeMileage, header.SubgradeMileage, lang),
                                          Join(kFillLayer, header.FillLayer, lang)};
        const std::array<QString, 6> right{Join(kReportNumber, header.ReportNumber, lang),
                                           Join(kFillerName, header.FillerName, lang),
                                           Join(kTestNumber, testNumber, lang),
                                           Join(kRequiredCoefficient, header.RequiredCoefficient, lang),
                                           Join(kReportDate, header.ReportDate, lang),
                                           Join(kEnvironment, header.Environment, lang)};
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const double y = Y1 + 2 * s + rows[r] * lh - lift;
            c.Text(leftX, y, left[r]);
            c.Text(rightX, y, right[r]);
        }
    }

    // Reading table.
    const double TX = X0;
    const double TY = Y1 + 75 * s;
    c.Text(TX + 5 * s, TY, ReportTr(kRowIndex, lang));
    c.Text(TX + 5 * s, TY + 15 * s, ReportTr(kRowStress, lang));
    c.Text(TX + 5 * s, TY + 25 * s, ReportTr(kRowMpa, lang));
    c.Text(TX + 5 * s, TY + 40 * s, ReportTr(kRowSettlement, lang));
    c.Text(TX + 5 * s, TY + 50 * s, ReportTr(kRowMm, lang));
    c.Text(TX + 150 * s, TY + 70 * s, ReportTr(kCurveCaption, lang));
    for (const double rule : {10.0, 35.0, 65.0})
        c.Line(TX, TY + rule * s, TX + 350 * s, TY + rule * s);
    c.Line(TX + 30 * s, TY - 7 * s, TX + 30 * s, TY + 65 * s);
    for (int i = 1; i <= 15; ++i)
        c.Line(TX + (20 * i + 30) * s, TY - 7 * s, TX + (20 * i + 30) * s, TY + 65 * s);
    c.SetFont(v.smallPoints);
    for (int i = 0; i < kUsedPairs; ++i) {
        const ReadingPair& r = point.reading[static_cast<std::size_t>(i)];
        c.Text(TX + (20 * i + 38) * s, TY, QString::number(i));
        c.Text(TX + (20 * i + 32) * s, TY + 20 * s, QString::fromStdString(StressText(r.stress)));
        c.Text(TX + (20 * i + 32) * s, TY + 45 * s, QString::fromStdString(SettlementText(r.settlement)));
    }

    // Curve points: 20·s units per 0.04 MPa to the right of the stress axis,
    // 25·s units per 0.5 mm downward.
    const double CX0 = TX + 5 * s;
    const double CY0 = TY + 100 * s;
    const CurveAxes axes{CX0 + 30 * s, CY0, 20 * s, 25 * s};
    std::array<CurvePoint, kUsedPairs> curve{};
    for (std::size_t i = 0; i < curve.size(); ++i)
        curve[i] = MapReading(axes, point.reading[i]);

    c.SetFont(v.textPoints);
    if (!v.bitmap) {
        c.Line(X0, Y1 + 340 * s, X0 + 350 * s, Y1 + 340 * s);
        c.Line(X0, Y1 + 420 * s, X0 + 350 * s, Y1 + 420 * s);
        c.Text(CX0 + 5 * s, CY0 + 170 * s, ReportTr(kConclusion, lang));
        const QStringList lines =
            WrapToWidth(conclusion, static_cast<int>(320 * s), [&c](const QString& t) { return c.TextWidth(t); });
        for (qsizetype i = 0; i < lines.size() && i < 5; ++i)
            c.Text(CX0 + 15 * s, CY0 + (182 + 13 * i) * s, lines[i]);
        c.Text(CX0 + 5 * s, CY0 + 260 * s, Join(kTester, header.Tester, lang));
        c.Text(CX0 + 240 * s, CY0 + 260 * s, Join(kReviewer, header.Reviewer, lang));
    }

    // Grid: settlement 0 to 2.0 mm down, stress 0 to 0.60 MPa across.
    const double CXr = CX0 + 330 * s;
    const double CYb = CY0 + 100 * s;
    c.SetPen(c.GridPen());
    for (int k = 0; k <= 100; k += 25) {
        c.Line(CX0 + 30 * s, CY0 + k * s, CXr, CY0 + k * s);
        c.Text(CX0 + 10 * s, CY0 + (k - 2) * s, AxisLabel(k * 0.5 / 25, 1, 3));
    }
    for (int j = 0; j <= 300; j += 20) {
        c.Line(CX0 + (j + 30) * s, CY0, CX0 + (j + 30) * s, CYb);
        if (j > 0)
            c.Text(CX0 + (j + 20) * s, CY0 - 10 * s, AxisLabel(j * 0.04 / 20, 2, 4));
    }
    // 62, not 62.5: the line sits half a unit above 1.25 mm, as it always has.
    c.Line(CX0 + 30 * s, CY0 + 62 * s, CXr, CY0 + 62 * s);
    c.Text(CX0 + 10 * s, CY0 + 57 * s, AxisLabel(1.25, 2, 4));

    // Measured curve: reading 15 is listed but never joined; a later reading
    // with no settlement is an unfilled row and ends the curve.
    c.SetPen(ReportCanvas::CurvePen());
    for (std::size_t i = 0; i <= 13; ++i) {
        if (curve[i + 1].y == CY0)
            break;
        c.Line(curve[i].x, curve[i].y, curve[i + 1].x, curve[i + 1].y);
    }

    // Legend.
    c.Line(CXr - 60 * s, CYb + 10 * s, CXr - 10 * s, CYb + 10 * s);
    c.Text(CXr - 60 * s, CYb + 20 * s, ReportTr(kLegend, lang));

    // Results.
    const double y = CY0 + 140 * s;
    const QString result =
        QString::fromStdString(point.testType) + QStringLiteral("=") + QString::fromStdString(point.k30Value);
    if (v.bitmap) {
        c.Text(CX0 + 20 * s - (en ? 20 : 0), y, ReportTr(kStress125, lang));
        c.Text(CX0 + 150 * s + (en ? 30 : 0), y, QString::fromStdString(point.stress125));
        c.Text(CXr - 120 * s, y, ReportTr(kCoefficient, lang));
        c.Text(CXr - 20 * s, y, result);
    } else if (en) {
        c.Text(CX0, y, ReportTr(kStress125, lang));
        c.Text(CX0 + 150 * s - 50, y + 20, QString::fromStdString(point.stress125));
        c.Text(CXr - 120 * s + 30, y, ReportTr(kCoefficient, lang));
        c.Text(CXr - 20 * s - 20, y + 20, result);
    } else {
        c.Text(CX0, y, ReportTr(kStress125, lang));
        c.Text(CX0 + 150 * s, y, QString::fromStdString(point.stress125));
        c.Text(CXr - 120 * s, y, ReportTr(kCoefficient, lang));
        c.Text(CXr - 20 * s, y, result);
    }

    if (pageCount > 0) {
        const QString number = PageNumberText(pageCount, pageNumber, lang);
        c.Text(page.W - c.TextWidth(number) - page.L - (en ? 50 : 0), page.T + c.TextHeight(), number);
    }
}

}  // namespace

bool DrawK30PointReport(QPainter& painter, const ReportPage& page, const TestDataStore& store,
                        const ReportHeader& header, Language lang, int printType, int pageCount, int pageNumber,
                        const Requirements& required)
{
    std::size_t index = static_cast<std::size_t>(pageNumber > 0 ? pageNumber - 1 : 0);
    if (printType == kPrintCurrentPoint) {
        if (store.strCurK30Name.empty())
            return false;
        if (const auto found = store.FindK30PointByName(store.strCurK30Name))
            index = *found;
    } else if (printType != kPrintAllPoints) {
        return false;
    }
    if (pageNumber < 1 || index >= store.ValidCount())
        return false;
    painter.save();
    ReportCanvas canvas(painter, lang);
    const K30& point = store.k30List[index];
    const QStringList conclusion =
        ConclusionLines(point, AssessK30Point(point, store.bManualInput, required), required.k30, lang);
    DrawPoint(canvas, page, point, header, kPrinted, printType == kPrintAllPoints ? pageCount : 0, pageNumber,
              conclusion);
    painter.restore();
    return true;
}

bool DrawK30PointBitmap(QPainter& painter, const ReportPage& rect, const TestDataStore& store,
                        const ReportHeader& header, Language lang)
{
    const auto found = store.FindK30PointByName(store.strCurK30Name);
    if (!found)
        return false;
    painter.save();
    ReportCanvas canvas(painter, lang);
    DrawPoint(canvas, rect, store.k30List[*found], header, kBitmap, 0, 0);
    painter.restore();
    return true;
}

}  // namespace k30
