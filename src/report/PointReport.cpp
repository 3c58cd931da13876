#include "PointReport.h"

#include <QPainter>

#include <array>

#include "AcceptanceFormat.h"
#include "ChartEdge.h"
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
    double frameLeft = 0.0;    // frame's left edge from the page's left, in s
    double frameHeight = 0.0;  // in s
};

constexpr PointVariant kPrinted{false, 1.9, 20, 12, 10, 15, 460};
constexpr PointVariant kBitmap{true, 1.2, 15, 8, 6, 30, 420};

// Layout of the point report. Unless a name says otherwise, a length is in
// layout units, multiplied by the variant's scale s.
namespace layout {
// The bitmap's rectangle shrinks by these many pixels on each side.
constexpr double kBitmapInsetX = 15;
constexpr double kBitmapInsetY = 20;
constexpr double kTitleTop = 20;
constexpr double kPrintedTitleLeft = 100;
constexpr double kPrintedTitleNudge = 50;   // report units, added to the title's left
constexpr double kEnglishTitleShift = 100;  // report units, English title to the left (print)
constexpr double kEnglishBitmapTitleShift = 20;  // report units (bitmap)

// Frame.
constexpr double kFrameTop = 50;
constexpr double kFrameWidth = 350;
constexpr double kHeaderRule = 80;  // header block's rule below the frame's top
constexpr double kEnglishBitmapFrameShift = 20;  // report units: the English bitmap frame starts further left

// Header block: two columns of six rows, rows m·(line height) apart.
constexpr double kHeaderTopLines = 1.5;  // first row below the frame's top, in line heights
constexpr std::array<double, 6> kHeaderRows{0, 1.3, 2.6, 3.9, 5.2, 6.5};
constexpr std::array<double, 6> kEnglishBitmapHeaderRows{0, 1.1, 2.2, 3.3, 4.4, 5.5};
constexpr double kHeaderRowTop = 2;
constexpr double kHeaderLeftColumn = 7;
constexpr double kHeaderRightColumn = 167;
constexpr double kEnglishHeaderLift = 20;  // report units
constexpr double kChineseBitmapHeaderLift = 10;  // report units
constexpr double kEnglishBitmapHeaderShift = 20;  // report units, left column
constexpr double kHeaderColumnGap = 3;  // a column's texts end this far before the next column or the frame
constexpr double kHeaderMargin = 0.15;  // in line heights, above the first and below the last spread row
constexpr double kHeaderRowGap = 0.2;   // in line heights, between spread rows

// Readings table, from the first header row.
constexpr double kTableTop = 75;
constexpr double kCaptionLeft = 5;
constexpr double kStressCaption = 15;
constexpr double kStressUnitCaption = 25;
constexpr double kSettlementCaption = 40;
constexpr double kSettlementUnitCaption = 50;
constexpr double kCurveCaptionLeft = 150;
constexpr double kCurveCaptionTop = 70;
constexpr std::array<double, 3> kTableRules{10.0, 35.0, 65.0};
constexpr double kColumnRuleTop = -7;
constexpr double kColumnRuleBottom = 65;
constexpr double kFirstColumn = 30;  // right edge of the caption column
constexpr double kColumnWidth = 20;
constexpr double kIndexLeft = 38;  // reading number, from the table's left
constexpr double kValueLeft = 32;  // stress and settlement, from the table's left
constexpr double kStressRow = 20;
constexpr double kSettlementRow = 45;

// Chart, from the table's top: 20 units per 0.04 MPa across, 25 per 0.5 mm down.
constexpr double kChartLeft = 5;
constexpr double kChartTop = 100;
constexpr double kStressAxis = 30;   // zero stress, right of the chart's left
constexpr double kChartWidth = 330;
constexpr double kChartHeight = 100;
constexpr double kUnitsPerStressStep = 20;  // 0.04 MPa
constexpr double kUnitsPerHalfMm = 25;
constexpr int kSettlementGridStep = 25;
constexpr int kSettlementGridEnd = 100;  // 2.0 mm
constexpr int kStressGridStep = 20;
constexpr int kStressGridEnd = 300;  // 0.60 MPa
constexpr double kSettlementLabelLeft = 10;
constexpr double kSettlementLabelLift = 2;
constexpr double kStressLabelShift = 10;  // left of the grid line, and above the chart
// 62, not 62.5: the line sits half a unit above 1.25 mm.
constexpr double k125Line = 62;
constexpr double k125Label = 57;
constexpr std::size_t kLastJoinedReading = 14;  // reading 15 is listed but never joined
constexpr double kLegendLeft = 60;   // left of the chart's right edge
constexpr double kLegendRight = 10;
constexpr double kLegendLine = 10;   // below the chart
constexpr double kLegendText = 20;
constexpr double kStressNameLift = 21;    // stress axis name, above the chart
constexpr double kSettlementNameDrop = 8;  // settlement axis name, below the chart
constexpr double kEdgeArrow = 5;

// Results line, below the chart's top.
constexpr double kResultsTop = 140;
constexpr double kValueColumn = 150;
constexpr double kCoefficientColumn = 120;  // left of the chart's right edge
constexpr double kK30Column = 20;           // left of the chart's right edge
constexpr double kBitmapResultsLeft = 20;
// English print and bitmap offsets, report units.
constexpr double kEnglishValueShift = 50;
constexpr double kEnglishValueDrop = 20;
constexpr double kEnglishCoefficientShift = 30;
constexpr double kEnglishK30Shift = 20;
constexpr double kEnglishBitmapLabelShift = 20;
constexpr double kEnglishBitmapValueShift = 30;

// Sign-off (print only), from the first header row and the chart's top.
constexpr double kConclusionRule = 340;
constexpr double kSignOffRule = 420;
constexpr double kSignOffLeft = 5;
constexpr double kConclusionTop = 170;
constexpr double kConclusionTextLeft = 15;   // the sentence, indented under the caption
constexpr double kConclusionTextTop = 182;
constexpr double kConclusionLineStep = 13;
constexpr double kConclusionTextWidth = 320;
constexpr int kConclusionMaxLines = 5;
constexpr double kSignOffTop = 260;
constexpr double kReviewerLeft = 240;

constexpr double kEnglishPageNumberShift = 50;  // report units
}  // namespace layout

// Where the blocks of one drawing lie, in report units.
struct PointGeometry {
    double L = 0;   // page's left and top, after the bitmap's inset
    double T = 0;
    double X0 = 0;  // frame's top left
    double Y0 = 0;
    double Y1 = 0;  // first header row
    double TX = 0;  // readings table
    double TY = 0;
    double CX0 = 0;  // chart
    double CY0 = 0;
    double CXr = 0;  // chart's right and bottom edges
    double CYb = 0;
};

using Member = std::string ReportHeader::*;

// The header block's two columns, top to bottom.
constexpr std::array<Member, 6> kLeftColumn{&ReportHeader::Client,        &ReportHeader::Elevation,
                                            &ReportHeader::ProjectName,   &ReportHeader::PointLocation,
                                            &ReportHeader::SubgradeMileage, &ReportHeader::FillLayer};
constexpr std::array<Member, 6> kRightColumn{&ReportHeader::ReportNumber, &ReportHeader::FillerName,
                                             &ReportHeader::TestNumber,   &ReportHeader::RequiredCoefficient,
                                             &ReportHeader::ReportDate,   &ReportHeader::Environment};

// The first `chars` characters of a "%.nf" text, as the axis labels are drawn.
QString AxisLabel(double value, int decimals, int chars)
{
    return QString::fromStdString(FormatFixed(value, decimals)).left(chars);
}

// Leaves the text font selected.
void DrawTitle(ReportCanvas& c, const ReportPage& page, const PointVariant& v, PointGeometry& g)
{
    using namespace layout;
    const Language lang = c.language();
    const bool en = lang == Language::English;
    const double s = v.s;
    g.L = page.L;
    g.T = page.T;
    c.SetFont(v.titlePoints);
    if (v.bitmap) {
        g.L += kBitmapInsetX;
        g.T += kBitmapInsetY;
        const double inner = page.W - 2 * kBitmapInsetX;
        const QString title = Tr(kBitmapTitle, lang);
        const int centred = (static_cast<int>(inner) - c.TextWidth(title)) / 2;
        c.Text(g.L + centred - (en ? kEnglishBitmapTitleShift : 0), g.T + kTitleTop * s, title);
    } else {
        c.Text(g.L + kPrintedTitleLeft * s + kPrintedTitleNudge - (en ? kEnglishTitleShift : 0), g.T + kTitleTop * s,
               Tr(kPointTitle, lang));
    }
    c.SetFont(v.textPoints);
}

void DrawFrame(ReportCanvas& c, const PointVariant& v, PointGeometry& g)
{
    using namespace layout;
    const double s = v.s;
    g.X0 = g.L + v.frameLeft * s;
    g.Y0 = g.T + kFrameTop * s;
    const double height = v.frameHeight * s;
    const double left = v.bitmap && c.language() == Language::English ? g.X0 - kEnglishBitmapFrameShift : g.X0;
    const double right = g.X0 + kFrameWidth * s;
    c.Line(left, g.Y0, right, g.Y0);
    c.Line(left, g.Y0 + kHeaderRule * s, right, g.Y0 + kHeaderRule * s);
    c.Line(left, g.Y0, left, g.Y0 + height);
    c.Line(right, g.Y0, right, g.Y0 + height);
    c.Line(left, g.Y0 + height, right, g.Y0 + height);
}

// The print shows the point's name as the test number, the bitmap the header's.
void DrawHeaderBlock(ReportCanvas& c, const PointVariant& v, const K30& point, const ReportHeader& header,
                     PointGeometry& g)
{
    using namespace layout;
    const Language lang = c.language();
    const bool en = lang == Language::English;
    const double s = v.s;
    const double lh = c.TextHeight();
    g.Y1 = g.Y0 + kHeaderTopLines * lh;
    const auto& rows = v.bitmap && en ? kEnglishBitmapHeaderRows : kHeaderRows;
    double lift = en ? kEnglishHeaderLift : 0;
    if (v.bitmap)
        lift = en ? kEnglishHeaderLift : kChineseBitmapHeaderLift;
    const double leftX = g.X0 + kHeaderLeftColumn * s - (v.bitmap && en ? kEnglishBitmapHeaderShift : 0);
    const double rightX = g.X0 + kHeaderRightColumn * s;
    const auto value = [&](Member member) -> const std::string& {
        return member == &ReportHeader::TestNumber && !v.bitmap ? point.name : header.*member;
    };
    const double leftWidth = rightX - leftX - kHeaderColumnGap * s;
    const double rightWidth = g.X0 + kFrameWidth * s - rightX - kHeaderColumnGap * s;
    std::array<QString, 6> leftTexts;
    std::array<QString, 6> rightTexts;
    std::array<bool, 6> fits{};
    int longRows = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        leftTexts[r] = HeaderLabelled(kLeftColumn[r], value(kLeftColumn[r]), lang);
        rightTexts[r] = HeaderLabelled(kRightColumn[r], value(kRightColumn[r]), lang);
        fits[r] = c.Fits(leftTexts[r], leftWidth) && c.Fits(rightTexts[r], rightWidth);
        longRows += fits[r] ? 0 : 1;
    }
    if (longRows == 0) {
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const double y = g.Y1 + kHeaderRowTop * s + rows[r] * lh - lift;
            c.Text(leftX, y, leftTexts[r]);
            c.Text(rightX, y, rightTexts[r]);
        }
        return;
    }
    // A text too long for its row: the rows spread over the whole block above
    // the header rule, the rows that fit one line apart as before and the
    // long ones sharing the rest, for two lines each.
    const double room = kHeaderRule * s - 2 * kHeaderMargin * lh;
    const double shortPitch = kHeaderRows[1] * lh;
    const double longPitch = (room - (static_cast<double>(rows.size()) - longRows) * shortPitch) / longRows;
    double y = g.Y0 + kHeaderMargin * lh;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const double pitch = fits[r] ? shortPitch : longPitch;
        const double height = pitch - kHeaderRowGap * lh;
        c.FitText(leftX, y, leftWidth, height, leftTexts[r]);
        c.FitText(rightX, y, rightWidth, height, rightTexts[r]);
        y += pitch;
    }
}

// Leaves the small font selected.
void DrawReadingsTable(ReportCanvas& c, const PointVariant& v, const K30& point, PointGeometry& g)
{
    using namespace layout;
    const Language lang = c.language();
    const double s = v.s;
    g.TX = g.X0;
    g.TY = g.Y1 + kTableTop * s;
    const double TX = g.TX;
    const double TY = g.TY;
    // Row captions stay in the caption column, before the first reading.
    const double captionWidth = (kFirstColumn - kCaptionLeft) * s - 2;
    const auto caption = [&](double top, const Text& text) {
        c.FitText(TX + kCaptionLeft * s, TY + top * s, captionWidth, c.TextHeight(), Tr(text, lang));
    };
    caption(0, kRowIndex);
    caption(kStressCaption, texts::kStress);
    caption(kStressUnitCaption, kRowMpa);
    caption(kSettlementCaption, texts::kSettlement);
    caption(kSettlementUnitCaption, kRowMm);
    c.Text(TX + kCurveCaptionLeft * s, TY + kCurveCaptionTop * s, Tr(kCurveCaption, lang));
    for (const double rule : kTableRules)
        c.Line(TX, TY + rule * s, TX + kFrameWidth * s, TY + rule * s);
    c.Line(TX + kFirstColumn * s, TY + kColumnRuleTop * s, TX + kFirstColumn * s, TY + kColumnRuleBottom * s);
    for (int i = 1; i <= 15; ++i) {
        const double x = TX + (kColumnWidth * i + kFirstColumn) * s;
        c.Line(x, TY + kColumnRuleTop * s, x, TY + kColumnRuleBottom * s);
    }
    c.SetFont(v.smallPoints);
    for (int i = 0; i < kUsedPairs; ++i) {
        const ReadingPair& r = point.reading[static_cast<std::size_t>(i)];
        c.Text(TX + (kColumnWidth * i + kIndexLeft) * s, TY, QString::number(i));
        c.Text(TX + (kColumnWidth * i + kValueLeft) * s, TY + kStressRow * s,
               QString::fromStdString(StressText(r.stress)));
        c.Text(TX + (kColumnWidth * i + kValueLeft) * s, TY + kSettlementRow * s,
               QString::fromStdString(SettlementText(r.settlement)));
    }
}

// The conclusion box and the tester and reviewer below the chart (print only).
void DrawSignOff(ReportCanvas& c, const PointVariant& v, const ReportHeader& header, const PointGeometry& g,
                 const QStringList& conclusion)
{
    using namespace layout;
    const Language lang = c.language();
    const double s = v.s;
    c.Line(g.X0, g.Y1 + kConclusionRule * s, g.X0 + kFrameWidth * s, g.Y1 + kConclusionRule * s);
    c.Line(g.X0, g.Y1 + kSignOffRule * s, g.X0 + kFrameWidth * s, g.Y1 + kSignOffRule * s);
    c.Text(g.CX0 + kSignOffLeft * s, g.CY0 + kConclusionTop * s, Tr(kConclusion, lang));
    QStringList lines;
    for (const QString& line : conclusion)
        lines << BreakIntoLines(line, kConclusionTextWidth * s, [&c](const QString& t) { return c.TextWidth(t); });
    for (qsizetype i = 0; i < lines.size() && i < kConclusionMaxLines; ++i)
        c.Text(g.CX0 + kConclusionTextLeft * s, g.CY0 + (kConclusionTextTop + kConclusionLineStep * i) * s, lines[i]);
    c.Text(g.CX0 + kSignOffLeft * s, g.CY0 + kSignOffTop * s, HeaderLabelled(&ReportHeader::Tester, header.Tester, lang));
    c.Text(g.CX0 + kReviewerLeft * s, g.CY0 + kSignOffTop * s, HeaderLabelled(&ReportHeader::Reviewer, header.Reviewer, lang));
}

// Grid, the 1.25 mm line, the measured curve and its legend. Settlement runs
// 0 to 2.0 mm down, stress 0 to 0.60 MPa across.
void DrawChart(ReportCanvas& c, const PointVariant& v, const std::array<CurvePoint, kUsedPairs>& curve,
               const PointGeometry& g)
{
    using namespace layout;
    const double s = v.s;
    const double CX0 = g.CX0;
    const double CY0 = g.CY0;
    c.SetPen(c.GridPen());
    for (int k = 0; k <= kSettlementGridEnd; k += kSettlementGridStep) {
        c.Line(CX0 + kStressAxis * s, CY0 + k * s, g.CXr, CY0 + k * s);
        c.Text(CX0 + kSettlementLabelLeft * s, CY0 + (k - kSettlementLabelLift) * s,
               AxisLabel(k * 0.5 / kSettlementGridStep, 1, 3));
    }
    for (int j = 0; j <= kStressGridEnd; j += kStressGridStep) {
        c.Line(CX0 + (j + kStressAxis) * s, CY0, CX0 + (j + kStressAxis) * s, g.CYb);
        if (j > 0)
            c.Text(CX0 + (j + kStressAxis - kStressLabelShift) * s, CY0 - kStressLabelShift * s,
                   AxisLabel(j * 0.04 / kStressGridStep, 2, 4));
    }
    c.Line(CX0 + kStressAxis * s, CY0 + k125Line * s, g.CXr, CY0 + k125Line * s);
    c.Text(CX0 + kSettlementLabelLeft * s, CY0 + k125Label * s, AxisLabel(1.25, 2, 4));

    // Axis names with their units on paper (the bitmap keeps its picture):
    // stress above the stress labels, at the right; settlement below the
    // settlement labels.
    if (!v.bitmap) {
        c.SetFont(v.smallPoints);
        const QString stressName = Tr(kStressAxisName, c.language());
        c.Text(g.CXr - c.TextWidth(stressName), CY0 - kStressNameLift * s, stressName);
        c.Text(CX0, g.CYb + kSettlementNameDrop * s, Tr(kSettlementAxisName, c.language()));
        c.SetFont(v.textPoints);
    }

    // A later reading with no settlement is an unfilled row and ends the curve.
    // The curve stays inside the plot; a reading beyond it gets an arrow on
    // the frame instead.
    QPainter& painter = c.Painter();
    const QRectF plot(QPointF(CX0 + kStressAxis * s, CY0), QPointF(g.CXr, g.CYb));
    c.SetPen(ReportCanvas::CurvePen());
    painter.save();
    ClipToPlot(painter, plot);
    std::size_t joined = 0;
    for (std::size_t i = 0; i < kLastJoinedReading; ++i) {
        if (curve[i + 1].y == CY0)
            break;
        c.Line(curve[i].x, curve[i].y, curve[i + 1].x, curve[i + 1].y);
        joined = i + 1;
    }
    painter.restore();
    for (std::size_t i = 0; i <= joined; ++i) {
        if (const auto mark = EdgeMarkFor(plot, QPointF(curve[i].x, curve[i].y)))
            DrawEdgeArrow(painter, *mark, kEdgeArrow * s);
    }

    c.Line(g.CXr - kLegendLeft * s, g.CYb + kLegendLine * s, g.CXr - kLegendRight * s, g.CYb + kLegendLine * s);
    c.Text(g.CXr - kLegendLeft * s, g.CYb + kLegendText * s, Tr(texts::kLegend, c.language()));
}

// The stress at 1.25 mm and "K30=value", each after its label.
void DrawResults(ReportCanvas& c, const PointVariant& v, const K30& point, const QString& result,
                 const PointGeometry& g)
{
    using namespace layout;
    const Language lang = c.language();
    const bool en = lang == Language::English;
    const double s = v.s;
    const double y = g.CY0 + kResultsTop * s;
    const QString stress125 = QString::fromStdString(point.stress125);
    // The result ends inside the frame, shrunk where a lower bound makes it long.
    const double frameRight = g.X0 + kFrameWidth * s;
    const auto resultAt = [&](double x, double ry) {
        c.FitText(x, ry, frameRight - x - kHeaderColumnGap * s, c.TextHeight(), result);
    };
    if (v.bitmap) {
        // Each text ends before the next; the frame leaves room for two lines.
        const double labelX = g.CX0 + kBitmapResultsLeft * s - (en ? kEnglishBitmapLabelShift : 0);
        const double valueX = g.CX0 + kValueColumn * s + (en ? kEnglishBitmapValueShift : 0);
        const double coefficientX = g.CXr - kCoefficientColumn * s;
        const double resultX = g.CXr - kK30Column * s;
        const double gap = kHeaderColumnGap * s;
        const double twoLines = 2 * c.TextHeight();
        c.FitText(labelX, y, valueX - labelX - gap, twoLines, Tr(kStress125, lang));
        c.FitText(valueX, y, coefficientX - valueX - gap, twoLines, stress125);
        c.FitText(coefficientX, y, resultX - coefficientX - gap, twoLines, Tr(kCoefficient, lang));
        resultAt(resultX, y);
    } else if (en) {
        c.Text(g.CX0, y, Tr(kStress125, lang));
        c.Text(g.CX0 + kValueColumn * s - kEnglishValueShift, y + kEnglishValueDrop, stress125);
        c.Text(g.CXr - kCoefficientColumn * s + kEnglishCoefficientShift, y, Tr(kCoefficient, lang));
        resultAt(g.CXr - kK30Column * s - kEnglishK30Shift, y + kEnglishValueDrop);
    } else {
        c.Text(g.CX0, y, Tr(kStress125, lang));
        c.Text(g.CX0 + kValueColumn * s, y, stress125);
        c.Text(g.CXr - kCoefficientColumn * s, y, Tr(kCoefficient, lang));
        resultAt(g.CXr - kK30Column * s, y);
    }
}

void DrawPageNumber(ReportCanvas& c, const ReportPage& page, int pageCount, int pageNumber)
{
    const Language lang = c.language();
    const QString number = PageNumberText(pageCount, pageNumber, lang);
    c.Text(page.W - c.TextWidth(number) - page.L - (lang == Language::English ? layout::kEnglishPageNumberShift : 0),
           page.T + c.TextHeight(), number);
}

void DrawPoint(ReportCanvas& c, const ReportPage& page, const K30& point, const K30Assessment& assessment,
               const ReportHeader& header, const PointVariant& v, int pageCount, int pageNumber,
               const QStringList& conclusion = {})
{
    using namespace layout;
    const double s = v.s;
    PointGeometry g;
    DrawTitle(c, page, v, g);
    DrawFrame(c, v, g);
    DrawHeaderBlock(c, v, point, header, g);
    DrawReadingsTable(c, v, point, g);

    g.CX0 = g.TX + kChartLeft * s;
    g.CY0 = g.TY + kChartTop * s;
    g.CXr = g.CX0 + kChartWidth * s;
    g.CYb = g.CY0 + kChartHeight * s;
    const CurveAxes axes{g.CX0 + kStressAxis * s, g.CY0, kUnitsPerStressStep * s, kUnitsPerHalfMm * s};
    std::array<CurvePoint, kUsedPairs> curve{};
    for (std::size_t i = 0; i < curve.size(); ++i)
        curve[i] = MapReading(axes, point.reading[i]);

    c.SetFont(v.textPoints);
    if (!v.bitmap)
        DrawSignOff(c, v, header, g, conclusion);
    DrawChart(c, v, curve, g);
    DrawResults(c, v, point, K30ResultText(point, assessment), g);
    if (pageCount > 0)
        DrawPageNumber(c, page, pageCount, pageNumber);
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
    const K30Assessment assessment = AssessK30Point(point, store.bManualInput, required);
    const QStringList conclusion = ConclusionLines(point, assessment, required, lang);
    DrawPoint(canvas, page, point, assessment, header, kPrinted, printType == kPrintAllPoints ? pageCount : 0, pageNumber,
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
    const K30& point = store.k30List[*found];
    DrawPoint(canvas, rect, point, AssessK30Point(point, store.bManualInput, {}), header, kBitmap, 0, 0);
    painter.restore();
    return true;
}

}  // namespace k30
