#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

#include <optional>

#include "Ev2.h"
#include "Ev2Evaluation.h"
#include "Language.h"

class QPainter;

namespace k30 {

// Colours of the Ev2 chart: the first cycle (loading and unloading) and its
// fit in red, the second loading and its fit in blue.
inline const QColor kEv2FirstCycleColour{220, 0, 0};
inline const QColor kEv2SecondCycleColour{0, 70, 220};

// The load/settlement chart of one Ev2 point: stress across, settlement
// downwards, the measured readings of both cycles joined in order, the two
// fitted parabolas over their branches' stress ranges, a legend, a0/a1/a2 of
// each fit and sigma0max, Ev1, Ev2, Ev2/Ev1 below the plot. Drawn into `area`
// in the painter's units (pixels on the Ev2 page, report units on paper) with
// texts of textPoints. Used by the Ev2 page and by the Ev2 point report.
void DrawEv2Chart(QPainter& painter, const QRectF& area, const Ev2Point& point, const Ev2Result& result,
                  Language lang, double textPoints);

// The plot's scale: a round upper end and step for stress (MPa) and
// settlement (mm) that hold every reading.
struct Ev2ChartScale {
    double stressMax = 0.0;
    double stressStep = 0.0;
    double settlementMax = 0.0;
    double settlementStep = 0.0;
};
Ev2ChartScale Ev2ChartScaleFor(const Ev2Point& point);

// The plot rectangle DrawEv2Chart draws in (the readings' frame), nothing
// when the area is too small for a plot.
std::optional<QRectF> Ev2PlotRect(QPainter& painter, const QRectF& area, const Ev2Point& point, Language lang,
                                  double textPoints);

// "σ = 0.200 MPa, s = 1.00 mm" of the measured reading nearest to pos within
// `reach`, in the plot drawn in `area`; empty elsewhere.
QString Ev2ReadingTipAt(QPainter& painter, const QRectF& area, const Ev2Point& point, Language lang,
                        double textPoints, const QPointF& pos, double reach);

// Whether a pair was measured: the zero reading always; any later pair unless
// both its stress and its settlement are 0 (a row the instrument left empty).
bool Ev2PairMeasured(const Ev2Point& point, int pair);

}  // namespace k30
