#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <array>

#include "K30.h"
#include "Language.h"

class QPainter;

namespace k30 {

// The load/settlement chart of the test data page: fifteen columns of 0.04 MPa
// across the frame and four rows of 0.5 mm down it. Coordinates are pixels of
// the page and are truncated toward zero, as on the printed report.
struct ChartFrame {
    int left = 0;
    int top = 0;
    int right = 0;   // one past the last pixel column
    int bottom = 0;  // one past the last pixel row

    static ChartFrame FromRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

    int StepX() const { return (right - left) / 15; }  // pixels per 0.04 MPa
    int StepY() const { return (bottom - top) / 4; }   // pixels per 0.5 mm
};

// Pairs 0 to 14 are plotted; the last reading is listed but never joined,
// as on the printed report.
inline constexpr int kChartPoints = 15;
using ChartCurve = std::array<QPoint, kChartPoints>;

// Curve points of readings in reading units (0.001 MPa, 0.01 mm).
ChartCurve K30CurvePoints(const ChartFrame& frame, const std::array<ReadingPair, kReadingPairs>& reading);

// Curve points of the page's box texts: stresses in MPa, settlements in mm,
// taken as typed (not truncated to reading units); text that is not a number
// counts as 0.
ChartCurve K30CurvePointsFromTexts(const ChartFrame& frame, const std::array<QString, kUsedPairs>& stressTexts,
                                   const std::array<QString, kUsedPairs>& settlementTexts);

// Number of segments drawn: point i is joined to point i + 1 until point i + 1
// lies on the left edge of the frame (zero stress, an unfilled row).
int DrawnSegments(const ChartFrame& frame, const ChartCurve& curve);

// Height of the dotted 1.25 mm line.
int SettlementLimitY(const ChartFrame& frame);

// Grid, axis labels and titles, legend, the 1.25 mm line and the curve, in the
// 9-point face of the language. Texts are placed by their top-left corner.
void DrawK30Chart(QPainter& painter, const ChartFrame& frame, const ChartCurve& curve, Language lang);

}  // namespace k30
