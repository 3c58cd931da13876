#include "K30Chart.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <optional>

#include "ChartEdge.h"
#include "CurveMapping.h"
#include "Format.h"
#include "ReportFonts.h"
#include "TestK30Texts.h"
#include "UiText.h"

namespace k30 {

namespace {

constexpr int kLegendAboveBottom = 90;  // T + 230 on the 320-pixel frame
constexpr double kEdgeArrow = 8;

int TruncatedPixels(double v) { return TruncatedCoordinate(v); }

// Reading units from a typed value, bounded so that the float conversion is
// always defined; nothing for a text that is no number.
std::optional<float> ReadingUnits(const QString& text, double scale)
{
    const std::optional<double> typed = ReadTypedNumber(S(text));
    if (!typed)
        return std::nullopt;
    const double v = *typed * scale;
    if (std::isnan(v))
        return 0.0f;
    return static_cast<float>(std::clamp(v, -1e12, 1e12));
}

// Text placed by its top-left corner, as the page's layout gives it.
void TextAt(QPainter& painter, int x, int y, const QString& text)
{
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

}  // namespace

ChartCurve K30CurvePoints(const ChartFrame& frame, const std::array<ReadingPair, kReadingPairs>& reading)
{
    // Offsets are truncated before the frame corner is added, so that a
    // settlement of 1.25 mm lands on the truncated 1.25 mm line.
    const CurveAxes axes{0.0, 0.0, static_cast<double>(frame.StepX()), static_cast<double>(frame.StepY())};
    ChartCurve curve{};
    for (int i = 0; i < kChartPoints; ++i) {
        const CurvePoint p = MapReading(axes, reading[static_cast<std::size_t>(i)]);
        curve[static_cast<std::size_t>(i)] = QPoint(frame.left + TruncatedPixels(p.x), frame.top + TruncatedPixels(p.y));
    }
    return curve;
}

ChartCurve K30CurvePointsFromTexts(const ChartFrame& frame, const std::array<QString, kUsedPairs>& stressTexts,
                                   const std::array<QString, kUsedPairs>& settlementTexts)
{
    std::array<ReadingPair, kReadingPairs> reading{};
    for (std::size_t i = 0; i < kUsedPairs; ++i) {
        const std::optional<float> stress = ReadingUnits(stressTexts[i], 1000.0);
        const std::optional<float> settlement = ReadingUnits(settlementTexts[i], 100.0);
        // The curve ends before a reading that is no number (the box is marked):
        // drawn as 0 it would be a spike that looks like a measurement.
        if (!stress || !settlement)
            break;
        reading[i] = {*stress, *settlement};
    }
    return K30CurvePoints(frame, reading);
}

int DrawnSegments(const ChartFrame& frame, const ChartCurve& curve)
{
    int n = 0;
    while (n < kChartPoints - 1 && curve[static_cast<std::size_t>(n + 1)].x() != frame.left)
        ++n;
    return n;
}

int SettlementLimitY(const ChartFrame& frame) { return TruncatedPixels(frame.top + 2.5 * frame.StepY()); }

void DrawK30Chart(QPainter& painter, const ChartFrame& frame, const ChartCurve& curve, Language lang)
{
    namespace t = testk30texts;
    const int L = frame.left;
    const int T = frame.top;
    const int R = frame.right;
    const int B = frame.bottom;
    const int w = frame.StepX();
    const int q = frame.StepY();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(FontFor(lang, 9));

    QPen gridPen(QColor(70, 70, 70), 0, Qt::DotLine);
    QPen curvePen(QColor(255, 0, 0), 1, Qt::SolidLine);
    QPen limitPen(QColor(0, 0, 255), 1, Qt::DotLine);
    QPen textPen(Qt::black);

    for (int i = 0; i <= 4; ++i) {
        const int y = T + i * q;
        painter.setPen(gridPen);
        painter.drawLine(L, y, R, y);
        if (i >= 1) {
            painter.setPen(textPen);
            TextAt(painter, L - 25, y - 5, Q(FormatFixed(i / 2.0, 1)));
        }
    }
    painter.setPen(textPen);
    for (int i = 1; i <= 14; ++i)
        TextAt(painter, L + i * w - 5, T - 25, Q(FormatFixed(i * 0.04, 2)));
    painter.setPen(gridPen);
    for (int i = 0; i <= 15; ++i)
        painter.drawLine(L + i * w, T, L + i * w, B);

    painter.setPen(textPen);
    TextAt(painter, L - 25, T - 10, QStringLiteral("0"));
    TextAt(painter, R - 10, T - 25, Tr(t::kStressAxisTitle, lang));
    TextAt(painter, L - 25, B + 15, Tr(t::kSettlementAxisTitle, lang));

    painter.setPen(curvePen);
    // The legend keeps its place above the frame's bottom as the frame grows.
    const int legendY = B - kLegendAboveBottom;
    painter.drawLine(R - 30, legendY, R - 80, legendY);
    painter.setPen(textPen);
    TextAt(painter, R - 80, legendY + 10, Tr(texts::kLegend, lang));

    const int limitY = SettlementLimitY(frame);
    painter.setPen(limitPen);
    painter.drawLine(L, limitY, R, limitY);
    painter.setPen(textPen);
    TextAt(painter, L - 25, limitY - 5, Q(FormatFixed(1.25, 2)));

    // The curve stays inside the frame; a reading beyond it gets an arrow on
    // the frame's edge instead.
    painter.setPen(curvePen);
    const int segments = DrawnSegments(frame, curve);
    const QRectF plot(QPointF(L, T), QPointF(R, B));
    painter.save();
    ClipToPlot(painter, plot);
    for (int i = 0; i < segments; ++i)
        painter.drawLine(curve[static_cast<std::size_t>(i)], curve[static_cast<std::size_t>(i + 1)]);
    painter.restore();
    for (int i = 0; i <= segments; ++i) {
        if (const auto mark = EdgeMarkFor(plot, QPointF(curve[static_cast<std::size_t>(i)])))
            DrawEdgeArrow(painter, *mark, kEdgeArrow);
    }

    painter.restore();
}

}  // namespace k30
