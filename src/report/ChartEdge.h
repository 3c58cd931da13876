#pragma once

#include <QPointF>
#include <QRectF>

#include <optional>

class QPainter;

namespace k30 {

// A reading outside a chart's plot: the point of the frame nearest to it and
// the unit direction in which it lies beyond.
struct EdgeMark {
    QPointF at;
    QPointF direction;
};

// Nothing for a point inside the plot (edges included). A point that is not
// finite lies beyond the edge its infinite coordinate points to.
std::optional<EdgeMark> EdgeMarkFor(const QRectF& plot, const QPointF& point);

// A small arrow with its tip on the frame, pointing out of the plot, drawn
// with the painter's pen; `size` is its length in the painter's units.
void DrawEdgeArrow(QPainter& painter, const EdgeMark& mark, double size);

// Clips the painter to the plot, its frame lines included (one unit
// around), until the painter is restored.
void ClipToPlot(QPainter& painter, const QRectF& plot);

}  // namespace k30
