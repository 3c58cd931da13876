#include "ChartEdge.h"

#include <QLineF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace k30 {

namespace {

// A coordinate bounded to the plot's span; NaN counts as its middle.
double Clamp(double v, double low, double high)
{
    if (std::isnan(v))
        return (low + high) / 2;
    return std::clamp(v, low, high);
}

}  // namespace

std::optional<EdgeMark> EdgeMarkFor(const QRectF& plot, const QPointF& point)
{
    const double x = Clamp(point.x(), plot.left(), plot.right());
    const double y = Clamp(point.y(), plot.top(), plot.bottom());
    const double dx = point.x() < plot.left() ? -1.0 : point.x() > plot.right() ? 1.0 : 0.0;
    const double dy = point.y() < plot.top() ? -1.0 : point.y() > plot.bottom() ? 1.0 : 0.0;
    if (dx == 0.0 && dy == 0.0)
        return std::nullopt;
    const double length = std::hypot(dx, dy);
    return EdgeMark{QPointF(x, y), QPointF(dx / length, dy / length)};
}

void DrawEdgeArrow(QPainter& painter, const EdgeMark& mark, double size)
{
    const QPointF back = mark.at - mark.direction * size;
    const QPointF across(-mark.direction.y() * size * 0.5, mark.direction.x() * size * 0.5);
    painter.drawLine(QLineF(back, mark.at));
    painter.drawLine(QLineF(back + across, mark.at));
    painter.drawLine(QLineF(back - across, mark.at));
}

void ClipToPlot(QPainter& painter, const QRectF& plot)
{
    painter.setClipRect(plot.adjusted(-1, -1, 1, 1), Qt::IntersectClip);
}

}  // namespace k30
