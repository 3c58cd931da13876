#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

#include "Acceptance.h"
#include "Language.h"

class QPainter;

namespace k30 {

// One test point on the chainage chart.
struct SiteChartPoint {
    qint64 id = 0;
    double chainage = 0.0;  // metres
    double value = 0.0;     // K30 (MPa/m) or Ev2 (MPa)
    Verdict verdict = Verdict::None;
    bool selected = false;
    QString name;
};

// What the chart shows: the points with a chainage and a value, the quantity's
// title for the value axis and the required value, when one is in force.
struct SiteChartData {
    std::vector<SiteChartPoint> points;
    QString quantity;  // "K30 (MPa/m)"
    std::optional<double> required;
    QString prefix = QStringLiteral("K");  // of the chainage labels, as the points' chainages are typed
};

// Where the chart puts things inside the area it is given.
struct SiteChartScale {
    QRectF plot;  // the frame of the axes
    double x0 = 0.0, x1 = 1.0;  // chainage at the plot's left and right edge
    double y0 = 0.0, y1 = 1.0;  // value at the plot's bottom and top edge

    QPointF Map(double chainage, double value) const;
};

// The scale of the data in an area; fontPixels is the height of the chart's
// text in the painter's units (room for the axis labels is made from it).
SiteChartScale SiteChartLayout(const QRectF& area, const SiteChartData& data, double fontPixels);

// Draws the chart into area: axes with chainage labels ("K125+340"), the
// required value as a dashed line, the points as dots coloured by verdict
// (green pass, red fail, grey none), selected points ringed. Used by the site
// page and by the lot report, so screen and paper agree.
void DrawSiteChart(QPainter& painter, const QRectF& area, const SiteChartData& data, double fontPixels,
                   Language lang);

// The point nearest to pos within radius (painter units), if any.
std::optional<std::size_t> SiteChartHit(const SiteChartScale& scale, const SiteChartData& data, QPointF pos,
                                        double radius);

}  // namespace k30
