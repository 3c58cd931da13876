#include "SiteChart.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "Chainage.h"
#include "LotReportTexts.h"
#include "ReportFonts.h"
#include "UiText.h"

namespace k30 {

namespace {

const QColor kPassColour(0, 150, 60);
const QColor kFailColour(210, 30, 30);
const QColor kNoneColour(130, 130, 130);
const QColor kSelectColour(20, 90, 230);

QColor VerdictColour(Verdict v)
{
    switch (v) {
    case Verdict::Pass:
        return kPassColour;
    case Verdict::Fail:
        return kFailColour;
    case Verdict::None:
        break;
    }
    return kNoneColour;
}

// A step of 1, 2 or 5 times a power of ten giving about `ticks` divisions.
double NiceStep(double span, int ticks)
{
    if (!(span > 0.0))
        return 1.0;
    const double raw = span / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        if (raw <= m * power)
            return m * power;
    }
    return 10.0 * power;
}

QString ValueLabel(double v, double step)
{
    return QString::number(v, 'f', step >= 1.0 ? 0 : step >= 0.1 ? 1 : 2);
}

QString ChainageLabel(double metres, const QString& prefix)
{
    return QString::fromStdString(FormatChainage(metres, prefix.toStdString())).section(QLatin1Char('.'), 0, 0);
}

}  // namespace

QPointF SiteChartScale::Map(double chainage, double value) const
{
    const double fx = x1 > x0 ? (chainage - x0) / (x1 - x0) : 0.5;
    const double fy = y1 > y0 ? (value - y0) / (y1 - y0) : 0.5;
    return {plot.left() + fx * plot.width(), plot.bottom() - fy * plot.height()};
}

SiteChartScale SiteChartLayout(const QRectF& area, const SiteChartData& data, double fontPixels)
{
    SiteChartScale s;
    // Room for the value labels on the left, the chainage labels and a line of
    // the quantity below.
    s.plot = area.adjusted(5.5 * fontPixels, 1.5 * fontPixels, -1.5 * fontPixels, -3.0 * fontPixels);
    if (s.plot.width() < 1.0 || s.plot.height() < 1.0)
        s.plot = QRectF(area.center(), QSizeF(1.0, 1.0));
    double xmin = 0.0, xmax = 0.0, ymax = 0.0;
    bool any = false;
    for (const SiteChartPoint& p : data.points) {
        if (!std::isfinite(p.chainage) || !std::isfinite(p.value))
            continue;
        xmin = any ? std::min(xmin, p.chainage) : p.chainage;
        xmax = any ? std::max(xmax, p.chainage) : p.chainage;
        ymax = std::max(ymax, p.value);
        any = true;
    }
    if (data.required && std::isfinite(*data.required))
        ymax = std::max(ymax, *data.required);
    if (!any)
        xmin = 0.0, xmax = 100.0;
    // A margin on both sides, so points at the ends are not cut by the frame.
    const double span = std::max(xmax - xmin, 10.0);
    const double pad = span * 0.03;
    s.x0 = xmin - pad - (span - (xmax - xmin)) / 2;
    s.x1 = xmax + pad + (span - (xmax - xmin)) / 2;
    const double ystep = NiceStep(ymax > 0.0 ? ymax * 1.1 : 1.0, 5);
    s.y0 = 0.0;
    s.y1 = std::ceil((ymax > 0.0 ? ymax * 1.1 : 1.0) / ystep) * ystep;
    return s;
}

void DrawSiteChart(QPainter& painter, const QRectF& area, const SiteChartData& data, double fontPixels,
                   Language lang)
{
    const SiteChartScale s = SiteChartLayout(area, data, fontPixels);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QFont font = FontFor(lang, 9);
    font.setPixelSize(std::max(1, static_cast<int>(fontPixels)));
    painter.setFont(font);
    const double unit = fontPixels / 12.0;  // line widths follow the text size
    const QPen axisPen(Qt::black, unit);
    QPen gridPen(QColor(200, 200, 200), unit * 0.5, Qt::DotLine);

    // Value axis with its grid.
    const double ystep = NiceStep(s.y1 - s.y0, 5);
    for (double v = s.y0; v <= s.y1 + ystep * 0.01; v += ystep) {
        const double y = s.Map(s.x0, v).y();
        painter.setPen(gridPen);
        painter.drawLine(QPointF(s.plot.left(), y), QPointF(s.plot.right(), y));
        painter.setPen(axisPen);
        painter.drawText(QRectF(area.left(), y - fontPixels, s.plot.left() - area.left() - 0.4 * fontPixels,
                                2 * fontPixels),
                         Qt::AlignRight | Qt::AlignVCenter, ValueLabel(v, ystep));
    }
    // Chainage axis: ticks on whole steps of metres.
    const double xstep = NiceStep(s.x1 - s.x0, std::max(2, static_cast<int>(s.plot.width() / (9 * fontPixels))));
    for (double c = std::ceil(s.x0 / xstep) * xstep; c <= s.x1; c += xstep) {
        const double x = s.Map(c, 0).x();
        painter.setPen(gridPen);
        painter.drawLine(QPointF(x, s.plot.top()), QPointF(x, s.plot.bottom()));
        painter.setPen(axisPen);
        // A label that would run under the value labels is left out.
        const QString label = ChainageLabel(c, data.prefix);
        const double half = painter.fontMetrics().horizontalAdvance(label) / 2.0;
        if (x - half < s.plot.left() - 0.3 * fontPixels || x + half > area.right())
            continue;
        painter.drawText(QRectF(x - 5 * fontPixels, s.plot.bottom() + 0.2 * fontPixels, 10 * fontPixels,
                                1.4 * fontPixels),
                         Qt::AlignHCenter | Qt::AlignTop, label);
    }
    painter.setPen(axisPen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(s.plot);
    painter.drawText(QRectF(s.plot.left(), s.plot.bottom() + 1.5 * fontPixels, s.plot.width(), 1.4 * fontPixels),
                     Qt::AlignHCenter | Qt::AlignTop,
                     Tr(site_texts::kColChainageAxis, lang) + QStringLiteral("    ") + data.quantity);

    if (data.required && *data.required >= s.y0 && *data.required <= s.y1) {
        const double y = s.Map(s.x0, *data.required).y();
        painter.setPen(QPen(kFailColour, unit, Qt::DashLine));
        painter.drawLine(QPointF(s.plot.left(), y), QPointF(s.plot.right(), y));
        painter.drawText(QRectF(s.plot.left() + 0.3 * fontPixels, y - 1.3 * fontPixels, s.plot.width(),
                                1.3 * fontPixels),
                         Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("≥ ") + QString::number(*data.required));
    }

    if (data.points.empty()) {
        painter.setPen(axisPen);
        painter.drawText(s.plot, Qt::AlignCenter, Tr(site_texts::kChartNoChainage, lang));
    }
    const double r = std::max(1.5 * unit, fontPixels * 0.28);
    painter.setClipRect(s.plot.adjusted(-r, -r, r, r));
    // Selected points last, so they stand on top.
    for (const bool selected : {false, true}) {
        for (const SiteChartPoint& p : data.points) {
            if (p.selected != selected || !std::isfinite(p.chainage) || !std::isfinite(p.value))
                continue;
            const QPointF at = s.Map(p.chainage, p.value);
            painter.setPen(Qt::NoPen);
            painter.setBrush(VerdictColour(p.verdict));
            painter.drawEllipse(at, r, r);
            if (selected) {
                painter.setBrush(Qt::NoBrush);
                painter.setPen(QPen(kSelectColour, 2 * unit));
                painter.drawEllipse(at, 2 * r, 2 * r);
            }
        }
    }
    painter.restore();
}

std::optional<std::size_t> SiteChartHit(const SiteChartScale& scale, const SiteChartData& data, QPointF pos,
                                        double radius)
{
    std::optional<std::size_t> best;
    double bestDistance = radius * radius;
    for (std::size_t i = 0; i < data.points.size(); ++i) {
        const QPointF d = scale.Map(data.points[i].chainage, data.points[i].value) - pos;
        const double distance = d.x() * d.x() + d.y() * d.y();
        if (distance <= bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

}  // namespace k30
