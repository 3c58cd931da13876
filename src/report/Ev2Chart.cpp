#include "Ev2Chart.h"

#include <QLineF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

#include "ChartEdge.h"
#include "Ev2ReportTexts.h"
#include "Format.h"
#include "ReportCanvas.h"

namespace k30 {

namespace {

using namespace ev2_report_texts;

constexpr double kStressPerMpa = 1000.0;
constexpr double kSettlementPerMm = 100.0;
constexpr int kFitSegments = 48;
// Typed readings may be absurd; coordinates stay far outside any page
// instead of overflowing the integer drawing coordinates.
constexpr double kFarAway = 1e6;

double Bounded(double v) { return std::isnan(v) ? 0.0 : std::clamp(v, -kFarAway, kFarAway); }

// 1, 2, 2.5 or 5 times a power of ten, at least raw.
double RoundStep(double raw)
{
    if (!(raw > 0.0) || !std::isfinite(raw))
        return 1.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (m * power >= raw * (1 - 1e-9))
            return m * power;
    }
    return 10.0 * power;
}

// Decimals that show every multiple of the step exactly.
int DecimalsFor(double step)
{
    int d = 0;
    while (d < 4 && std::fabs(step * std::pow(10.0, d) - std::round(step * std::pow(10.0, d))) > 1e-6)
        ++d;
    return d;
}

void Scale(double largest, double minimumTop, int divisions, double& top, double& step)
{
    largest = std::max(largest, minimumTop);
    step = RoundStep(largest / divisions);
    top = std::ceil(largest / step - 1e-9) * step;
}

QString Value(const std::string& text, const char* unit, Language lang)
{
    if (text.empty())
        return Tr(kNoResult, lang);
    return QString::fromStdString(text) + QString::fromUtf8(unit);
}

// "%.4f" without a minus sign on a value that rounds to zero.
QString Coefficient(double v)
{
    return QString::fromStdString(FormatFixed(std::fabs(v) < 0.00005 ? 0.0 : v, 4));
}

QString Coefficients(const Text& branch, const std::optional<QuadraticFit>& fit, Language lang)
{
    QString line = Tr(branch, lang) + QStringLiteral(": ");
    if (!fit)
        return line + Tr(kNoResult, lang);
    return line + QStringLiteral("a0 = %1   a1 = %2   a2 = %3")
                      .arg(Coefficient(fit->a0), Coefficient(fit->a1), Coefficient(fit->a2));
}

}  // namespace

bool Ev2PairMeasured(const Ev2Point& point, int pair)
{
    const ReadingPair& r = point.reading[static_cast<std::size_t>(pair)];
    return pair == 0 || r.stress != 0.0f || r.settlement != 0.0f;
}

Ev2ChartScale Ev2ChartScaleFor(const Ev2Point& point)
{
    double stress = 0.0;
    double settlement = 0.0;
    for (const ReadingPair& r : point.reading) {
        if (std::isfinite(r.stress))
            stress = std::max(stress, r.stress / kStressPerMpa);
        if (std::isfinite(r.settlement))
            settlement = std::max(settlement, r.settlement / kSettlementPerMm);
    }
    Ev2ChartScale s;
    Scale(stress, 0.1, 6, s.stressMax, s.stressStep);
    Scale(settlement, 0.5, 5, s.settlementMax, s.settlementStep);
    return s;
}

std::optional<QRectF> Ev2PlotRect(QPainter& painter, const QRectF& area, const Ev2Point& point, Language lang,
                                  double textPoints)
{
    painter.save();
    ReportCanvas c(painter, lang);
    c.SetFont(textPoints);
    const double lh = c.TextHeight();
    const Ev2ChartScale scale = Ev2ChartScaleFor(point);
    // Stress labels and title above, settlement labels to the left, legend
    // and results below.
    const double labelWidth =
        c.TextWidth(QString::fromStdString(FormatFixed(scale.settlementMax, DecimalsFor(scale.settlementStep)))) +
        0.8 * lh;
    painter.restore();
    const double x0 = area.left() + labelWidth;
    const double x1 = area.right() - 1.2 * lh;
    const double y0 = area.top() + 2.4 * lh;
    const double y1 = area.bottom() - 7.4 * lh;
    if (x1 - x0 < 4 * lh || y1 - y0 < 2 * lh)
        return std::nullopt;
    return QRectF(QPointF(x0, y0), QPointF(x1, y1));
}

QString Ev2ReadingTipAt(QPainter& painter, const QRectF& area, const Ev2Point& point, Language lang,
                        double textPoints, const QPointF& pos, double reach)
{
    const auto plot = Ev2PlotRect(painter, area, point, lang, textPoints);
    if (!plot)
        return {};
    const Ev2ChartScale scale = Ev2ChartScaleFor(point);
    for (int j = 0; j < kEv2Pairs; ++j) {
        if (!Ev2PairMeasured(point, j))
            continue;
        const ReadingPair& r = point.reading[static_cast<std::size_t>(j)];
        const QPointF p(plot->left() + plot->width() * (r.stress / kStressPerMpa) / scale.stressMax,
                        plot->top() + plot->height() * (r.settlement / kSettlementPerMm) / scale.settlementMax);
        if (QLineF(p, pos).length() <= reach)
            return QStringLiteral("σ = %1 MPa, s = %2 mm")
                .arg(QString::fromStdString(FormatFixed(r.stress / kStressPerMpa, 3)),
                     QString::fromStdString(FormatFixed(r.settlement / kSettlementPerMm, 2)));
    }
    return {};
}

void DrawEv2Chart(QPainter& painter, const QRectF& area, const Ev2Point& point, const Ev2Result& result,
                  Language lang, double textPoints)
{
    const auto plot = Ev2PlotRect(painter, area, point, lang, textPoints);
    if (!plot)
        return;
    painter.save();
    ReportCanvas c(painter, lang);
    c.SetFont(textPoints);
    const double lh = c.TextHeight();
    const Ev2ChartScale scale = Ev2ChartScaleFor(point);
    const int stressDecimals = DecimalsFor(scale.stressStep);
    const int settlementDecimals = DecimalsFor(scale.settlementStep);
    const double x0 = plot->left();
    const double x1 = plot->right();
    const double y0 = plot->top();
    const double y1 = plot->bottom();
    const auto X = [&](double sigma) { return Bounded(x0 + (x1 - x0) * sigma / scale.stressMax); };
    const auto Y = [&](double s) { return Bounded(y0 + (y1 - y0) * s / scale.settlementMax); };

    // Grid and axis labels.
    c.SetPen(c.GridPen());
    const int stressLines = static_cast<int>(std::lround(scale.stressMax / scale.stressStep));
    for (int i = 0; i <= stressLines; ++i) {
        const double sigma = i * scale.stressStep;
        c.Line(X(sigma), y0, X(sigma), y1);
        if (i == 0)
            continue;  // the corner carries the settlement axis's 0
        const QString label = QString::fromStdString(FormatFixed(sigma, stressDecimals));
        c.Text(X(sigma) - c.TextWidth(label) / 2.0, y0 - 1.2 * lh, label);
    }
    const int settlementLines = static_cast<int>(std::lround(scale.settlementMax / scale.settlementStep));
    for (int i = 0; i <= settlementLines; ++i) {
        const double s = i * scale.settlementStep;
        c.Line(x0, Y(s), x1, Y(s));
        const QString label = QString::fromStdString(FormatFixed(s, settlementDecimals));
        c.Text(x0 - c.TextWidth(label) - 0.4 * lh, Y(s) - lh / 2, label);
    }
    c.SetPen(ReportCanvas::DevicePen());
    c.Line(x0, y0, x1, y0);
    c.Line(x0, y0, x0, y1);
    const QString stressTitle = Tr(kStressAxis, lang);
    c.Text(x1 - c.TextWidth(stressTitle), area.top(), stressTitle);

    // Fitted parabolas, dashed, over their branches' stress ranges; clipped to
    // the plot, as a parabola may leave it between readings.
    painter.save();
    painter.setClipRect(QRectF(QPointF(x0, y0), QPointF(x1, y1)), Qt::IntersectClip);
    const auto drawFit = [&](const std::optional<QuadraticFit>& fit, const QColor& colour) {
        if (!fit)
            return;
        c.SetPen(QPen(colour, 1, Qt::DashLine));
        double px = X(fit->sigmaMin);
        double py = Y(fit->SettlementAt(fit->sigmaMin));
        for (int k = 1; k <= kFitSegments; ++k) {
            const double sigma = fit->sigmaMin + (fit->sigmaMax - fit->sigmaMin) * k / kFitSegments;
            const double nx = X(sigma);
            const double ny = Y(fit->SettlementAt(sigma));
            c.Line(px, py, nx, ny);
            px = nx;
            py = ny;
        }
    };
    drawFit(result.fit1, kEv2FirstCycleColour);
    drawFit(result.fit2, kEv2SecondCycleColour);
    painter.restore();

    // Measured readings joined in order: pairs 0 to 10 (loading and
    // unloading), then 10 to 16 (reloading), each reading marked by a cross.
    // Inside the plot only: a reading beyond it (a negative one) gets an
    // arrow on the frame.
    const auto drawMeasured = [&](int first, int last, const QColor& colour) {
        c.SetPen(QPen(colour, 1.5, Qt::SolidLine));
        std::optional<QPointF> previous;
        for (int j = first; j <= last; ++j) {
            if (!Ev2PairMeasured(point, j))
                continue;
            const ReadingPair& r = point.reading[static_cast<std::size_t>(j)];
            const QPointF p(X(r.stress / kStressPerMpa), Y(r.settlement / kSettlementPerMm));
            painter.save();
            ClipToPlot(painter, *plot);
            if (previous)
                c.Line(previous->x(), previous->y(), p.x(), p.y());
            const double m = lh / 4;
            c.Line(p.x() - m, p.y() - m, p.x() + m, p.y() + m);
            c.Line(p.x() - m, p.y() + m, p.x() + m, p.y() - m);
            painter.restore();
            if (const auto mark = EdgeMarkFor(*plot, p))
                DrawEdgeArrow(painter, *mark, lh / 2);
            previous = p;
        }
    };
    drawMeasured(kEv2FirstLoadingBegin, kEv2SecondLoadingBegin, kEv2FirstCycleColour);
    drawMeasured(kEv2SecondLoadingBegin, kEv2SecondLoadingEnd, kEv2SecondCycleColour);

    // Below the plot: the settlement title, the legend in two columns, then
    // the fits and the results.
    double y = y1 + 0.7 * lh;
    c.SetPen(ReportCanvas::DevicePen());
    c.Text(area.left(), y, Tr(kSettlementAxis, lang));
    y += 1.3 * lh;
    const double column = (area.width() - 0.5 * lh) / 2;
    const double sample = 2.5 * lh;
    const auto legend = [&](double x, double row, const QPen& pen, const Text& text) {
        c.SetPen(pen);
        c.Line(x, row + lh / 2, x + sample, row + lh / 2);
        c.Text(x + sample + 0.4 * lh, row, Tr(text, lang));
    };
    legend(area.left(), y, QPen(kEv2FirstCycleColour, 1.5), kMeasuredFirst);
    legend(area.left() + column, y, QPen(kEv2SecondCycleColour, 1.5), kMeasuredSecond);
    y += 1.2 * lh;
    legend(area.left(), y, QPen(kEv2FirstCycleColour, 1, Qt::DashLine), kFitFirst);
    legend(area.left() + column, y, QPen(kEv2SecondCycleColour, 1, Qt::DashLine), kFitSecond);
    y += 1.4 * lh;
    c.SetPen(ReportCanvas::DevicePen());
    c.Text(area.left(), y, Coefficients(kFirstLoading, result.fit1, lang));
    y += 1.2 * lh;
    c.Text(area.left(), y, Coefficients(kSecondLoading, result.fit2, lang));
    y += 1.2 * lh;
    const QString results = QStringLiteral("σ0max = %1   Ev1 = %2   Ev2 = %3   Ev2/Ev1 = %4")
                                .arg(Value(result.sigma0maxText, " MPa", lang), Value(result.ev1Text, " MPa", lang),
                                     Value(result.ev2Text, " MPa", lang), Value(result.ratioText, "", lang));
    c.Text(area.left(), y, results);
    painter.restore();
}

}  // namespace k30
